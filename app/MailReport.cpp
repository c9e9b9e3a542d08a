#include "app/MailReport.h"

#include "app/PdfSave.h"
#include "engine/PageStore.h"
#include "foundation/DisplayText.h"
#include "foundation/Messages.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace {

QString xdgEmail() { return QStandardPaths::findExecutable(QStringLiteral("xdg-email")); }

// The folders of the PDFs sent so far; removed with their files when the program ends.
std::vector<std::unique_ptr<QTemporaryDir>> &mailFolders()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> folders;
    return folders;
}

// A file name from the report's title: no folder separators, never empty.
QString pdfName(const QString &title)
{
    QString name = title;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    name = name.trimmed();
    return (name.isEmpty() ? QStringLiteral("report") : name) + QStringLiteral(".pdf");
}

} // namespace

bool CanSendMail() { return !xdgEmail().isEmpty(); }

bool SendPagesByMail(const TPageStore &store, const QString &title, const QString &author)
{
    const QString program = xdgEmail();
    // A folder only this user can read (QTemporaryDir makes it with mode 0700).
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tarvel-mail-XXXXXX"));
    const QString file = folder->isValid() ? folder->filePath(pdfName(title)) : QString();
    if (program.isEmpty() || file.isEmpty()) {
        ErrorOk(DisplayFormat(kTextCannotMail, {pdfName(title)}));
        return false;
    }
    const TPdfSaveStatus saved = SavePagesAsPdf(store, file, author);
    if (saved != TPdfSaveStatus::Done)
        return false; // cancelled, or the failure was shown
    mailFolders().push_back(std::move(folder));

    QProcess mail;
    mail.start(program, {QStringLiteral("--subject"), title, QStringLiteral("--attach"), file});
    // xdg-email hands the message to the mail program and returns.
    const bool started = mail.waitForStarted(10000) && mail.waitForFinished(60000)
                         && mail.exitStatus() == QProcess::NormalExit && mail.exitCode() == 0;
    if (!started) {
        if (mail.state() != QProcess::NotRunning)
            mail.kill();
        ErrorOk(DisplayFormat(kTextCannotMail, {file}));
        return false;
    }
    return true;
}
