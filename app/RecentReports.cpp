#include "app/RecentReports.h"

#include "foundation/IniFile.h"
#include "foundation/LocalFileName.h"
#include "foundation/Paths.h"

#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("RecentReports");

QString key(int i) { return QStringLiteral("File%1").arg(i + 1); }

void store(const QStringList &files)
{
    for (int i = 0; i < kRecentReportCount; ++i)
        IniWriteString(TrvlPar(), kSection, key(i), i < files.size() ? files[i] : QString());
}

} // namespace

QStringList RecentReports()
{
    QStringList files;
    for (int i = 0; i < kRecentReportCount; ++i) {
        const QString file = IniReadString(TrvlPar(), kSection, key(i)).trimmed();
        if (!file.isEmpty() && !files.contains(file))
            files.append(file);
    }
    return files;
}

void AddRecentReport(const QString &file)
{
    // A name that is not UTF-8 is reached through a descriptor of this run only, and the
    // settings file holds text: such a report is not remembered.
    if (file.trimmed().isEmpty() || IsInStandInFolder(file))
        return;
    const QString path = QFileInfo(file).absoluteFilePath();
    QStringList files = RecentReports();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentReportCount)
        files.removeLast();
    store(files);
}

void RemoveRecentReport(const QString &file)
{
    QStringList files = RecentReports();
    if (files.removeAll(file) > 0)
        store(files);
}
