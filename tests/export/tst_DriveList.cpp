// The save dialog's drive list.
#include "export/DriveList.h"

#include <gtest/gtest.h>

namespace {

TEST(DriveList, TheRootFolderIsThereEvenWithoutMountedVolumes)
{
    // A chroot or a container may list no volumes at all.
    EXPECT_EQ(DriveRoots({}), QStringList{"/"});
    EXPECT_EQ(DriveOf("/home/user", DriveRoots({})), "/");
}

TEST(DriveList, MountedVolumesFollowTheRootOnce)
{
    const QStringList roots = DriveRoots({QStorageInfo("/"), QStorageInfo(QStorageInfo::root())});
    EXPECT_EQ(roots.first(), "/");
    EXPECT_EQ(roots.count("/"), 1);
    EXPECT_EQ(DriveRoots({QStorageInfo("/no/such/folder")}), QStringList{"/"}); // not a valid volume
}

TEST(DriveList, AFolderIsOnTheLongestRootThatHoldsIt)
{
    const QStringList roots{"/", "/mnt/data", "/mnt/data2"};
    EXPECT_EQ(DriveOf("/mnt/data/reports", roots), "/mnt/data");
    EXPECT_EQ(DriveOf("/mnt/data2", roots), "/mnt/data2");
    EXPECT_EQ(DriveOf("/mnt/database", roots), "/"); // a longer name is not inside
    EXPECT_EQ(DriveOf("/", roots), "/");
}

} // namespace
