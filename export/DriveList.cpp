#include "export/DriveList.h"

QStringList DriveRoots(const QList<QStorageInfo> &volumes)
{
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo &volume : volumes)
        if (volume.isValid() && volume.isReady() && !volume.rootPath().isEmpty() && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    return roots;
}

QString DriveOf(const QString &directory, const QStringList &roots)
{
    QString best;
    for (const QString &root : roots) {
        const bool holds = directory == root
            || directory.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (holds && root.size() > best.size())
            best = root;
    }
    return best;
}
