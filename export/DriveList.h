#pragma once
// The drives the save dialog offers: the root folder always, then every mounted file system
// that is ready. A system may list no volumes at all (a chroot, a container); the root folder
// is still there to go back to.
#include <QList>
#include <QStorageInfo>
#include <QStringList>

QStringList DriveRoots(const QList<QStorageInfo> &volumes);
// The drive a folder is on: the longest of the roots that holds it ("/" at worst).
QString DriveOf(const QString &directory, const QStringList &roots);
