// Which saved reports hold only graph data.
#include "graph/GraphFileCheck.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <gtest/gtest.h>

namespace {

TEST(GraphFile, Record916InTheFirstThreeLines)
{
    TTestDir dir;
    auto file = [&](const QList<QByteArray> &lines) {
        static int n = 0;
        return dir.write(QString("g%1.srp").arg(++n), MakeReport(lines));
    };
    EXPECT_TRUE(IsGraphFile(file({"916,1"})));
    EXPECT_TRUE(IsGraphFile(file({"905,1", "916,True"})));
    EXPECT_TRUE(IsGraphFile(file({"905,1", "916,tRUE"})));
    EXPECT_FALSE(IsGraphFile(file({"916,0"})));
    EXPECT_FALSE(IsGraphFile(file({"916,yes"})));
    EXPECT_FALSE(IsGraphFile(file({"905,1", "101,1", "916,1"}))); // line 4
    EXPECT_FALSE(IsGraphFile(file({"916,1", "916,False"})));    // a later line overrides
    EXPECT_FALSE(IsGraphFile(dir.path("missing.srp")));
    // Lines are taken as stored: a scrambled 916 line does not count.
    EXPECT_FALSE(IsGraphFile(dir.write("s.srp", MakeReport({"916,1"}, true))));
}

} // namespace
