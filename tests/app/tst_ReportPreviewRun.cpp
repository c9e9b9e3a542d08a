// A sample report run into the preview: pages arrive, the toolbar opens at the end, and
// refused reports show their message without a window.
#include "PreviewTestSupport.h"
#include "support/Controls.h"

#include "app/FindBar.h"
#include "app/PageView.h"
#include "app/PreviewState.h"
#include "app/PreviewWindow.h"
#include "app/ReportPreviewRun.h"
#include "foundation/ReportProgressWindow.h"
#include "foundation/AppState.h"
#include "foundation/DisplayText.h"
#include "foundation/LanguageTable.h"
#include "engine/StoreSearch.h"
#include "report/BatchRun.h"
#include "report/ReportForm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TfrmReportPreview *openPreview()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *preview = qobject_cast<TfrmReportPreview *>(w); preview && preview->isVisible())
            return preview;
    return nullptr;
}

struct TSeen {
    bool shown = false;
    bool finished = false;
    int pages = 0;
    bool printEnabled = false;
    QString caption;
};

// Watches for the preview, lets it run to the end, then runs the given action (closing it).
QPointer<QTimer> watchPreview(TSeen &seen, const std::function<void(TfrmReportPreview &)> &action)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, &seen, action] {
        TfrmReportPreview *preview = openPreview();
        if (!preview)
            return;
        seen.shown = true;
        if (!preview->ReportFinished())
            return;
        seen.finished = true;
        seen.pages = Control<TPageView>(*preview, "qrPreview")->PageCount();
        seen.printEnabled = Control<QAction>(*preview, "btnPrint")->isEnabled();
        seen.caption = preview->windowTitle();
        timer->stop();
        timer->deleteLater();
        action(*preview);
    });
    timer->start();
    return timer;
}

class ReportPreviewRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AdminMode = true;
        // The sample installation, copied so that the remembered zoom does not touch it.
        const QString home = SourceDir() + "/examples/home";
        for (const QString &name : QDir(home).entryList(QDir::Files))
            QFile::copy(home + "/" + name, installation.path(name));
        ResolvePaths();
    }
    TTestInstallation installation;
};

TEST_F(ReportPreviewRun, SampleReportShowsItsPagesAndReopens)
{
    const QString report = SourceDir() + "/examples/calls-by-extension.srp";
    const QString next = SourceDir() + "/examples/trunk-summary.srp";
    TSeen seen;
    watchPreview(seen, [&](TfrmReportPreview &preview) {
        preview.SetOpenDialog([&](QWidget *, const QString &) { return next; });
        preview.OpenClick();
    });
    TfrmReport form(report, kUserName);
    form.LoadReport();
    const QString requested = RunReportPreview(form, QIcon());
    EXPECT_TRUE(seen.finished);
    EXPECT_GT(seen.pages, 1);
    EXPECT_TRUE(seen.printEnabled);
    EXPECT_EQ(seen.caption, DisplayFormat(145, {report}));
    EXPECT_EQ(requested, next);
}

TEST_F(ReportPreviewRun, SaveCopyAndExportReadTheReportAgain)
{
    const QString report = SourceDir() + "/examples/calls-by-extension.srp";
    const QString copy = installation.path("copy.srp");
    const QString csv = installation.path("export.csv");
    bool copied = false, exported = false, wired = false;
    TSeen seen;
    watchPreview(seen, [&](TfrmReportPreview &preview) {
        wired = preview.Handlers().SaveDialog && preview.Handlers().OnShowGraph && preview.Handlers().OnPrintReport;
        copied = preview.Handlers().OnSaveCopy(copy, LookupText(129), LookupText(130));
        exported = preview.Handlers().OnExport(csv, ClientParInProgramDir());
        EXPECT_TRUE(preview.isEnabled()); // the progress windows gave it back
        preview.close();
    });
    TfrmReport form(report, kUserName);
    form.LoadReport();
    RunReportPreview(form, QIcon());
    EXPECT_TRUE(wired);
    EXPECT_TRUE(copied);
    EXPECT_TRUE(exported);
    QFile original(report), written(copy);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readLine(), original.readLine()); // the header line as stored
    EXPECT_GT(QFileInfo(csv).size(), 1000);
}

// The find bar of a running report and the batch tool's find (a batch run searched at once)
// give the same pages.
TEST_F(ReportPreviewRun, FindInTheViewerAgreesWithTheBatchTool)
{
    const QString report = SourceDir() + "/examples/calls-by-extension.srp";
    const QStringList texts = {QString::fromUtf8("סלולרי"), QStringLiteral("058-"), QString::fromUtf8("אסף גבאי"),
                               QString::fromUtf8("עמוד 1"), QStringLiteral("no such text")};
    std::vector<std::vector<int>> inViewer;
    bool searchedWhileReading = false;
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        TfrmReportPreview *preview = openPreview();
        if (!preview || Control<TPageView>(*preview, "qrPreview")->PageNumber() == 0)
            return;
        if (!searchedWhileReading) {
            // Started on the first page, while the rest are still being made.
            searchedWhileReading = true;
            preview->FindClick();
            preview->FindBar()->Search(texts[0]);
        }
        if (!preview->ReportFinished())
            return;
        timer->stop();
        timer->deleteLater();
        for (const QString &text : texts) {
            if (text != preview->State()->Hits().Text())
                preview->FindBar()->Search(text);
            QElapsedTimer clock;
            clock.start();
            while (preview->FindBar()->Searching() && clock.elapsed() < 20000)
                QApplication::processEvents(QEventLoop::AllEvents, 5);
            inViewer.push_back(preview->State()->Hits().Pages());
        }
        preview->close();
    });
    timer->start();
    TfrmReport form(report, kUserName);
    form.LoadReport();
    RunReportPreview(form, QIcon());
    ASSERT_EQ(inViewer.size(), size_t(texts.size()));
    TPageStore store;
    ASSERT_EQ(RunReportIntoStore(report, store).Result, TBatchRunResult::Ok);
    for (int i = 0; i < texts.size(); ++i) {
        std::vector<int> pages;
        for (const auto &[page, hits] : FindInStore(store, TSearchText(texts[i])))
            pages.push_back(page + 1);
        EXPECT_EQ(inViewer[size_t(i)], pages) << texts[i].toStdString();
    }
    EXPECT_FALSE(inViewer[0].empty());
    EXPECT_TRUE(inViewer[4].empty());
}

TEST_F(ReportPreviewRun, GraphButtonOpensTheGraphWindowOverThePreview)
{
    QString graphCaption;
    bool graphEnabled = false;
    TSeen seen;
    watchPreview(seen, [&](TfrmReportPreview &preview) {
        graphEnabled = Control<QAction>(preview, "btnGraph")->isEnabled();
        QTimer::singleShot(500, [&] {
            if (QWidget *graph = QApplication::activeModalWidget()) {
                graphCaption = graph->metaObject()->className();
                graph->close();
            }
        });
        preview.GraphClick();
        EXPECT_TRUE(preview.isEnabled());
        EXPECT_FALSE(preview.Busy());
        preview.close();
    });
    TfrmReport form(SourceDir() + "/examples/traffic.srp", kUserName);
    form.LoadReport();
    RunReportPreview(form, QIcon());
    EXPECT_TRUE(graphEnabled);
    EXPECT_TRUE(graphCaption.contains("Graph")) << graphCaption.toStdString();
}

TEST_F(ReportPreviewRun, ClosingDuringGenerationEndsTheRun)
{
    bool closedEarly = false;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (TfrmReportPreview *preview = openPreview()) {
            closedEarly = !preview->ReportFinished();
            watcher.stop();
            preview->close();
        }
    });
    watcher.start();
    TfrmReport form(SourceDir() + "/examples/calls-by-extension.srp", kUserName);
    form.LoadReport();
    EXPECT_TRUE(RunReportPreview(form, QIcon()).isEmpty());
    EXPECT_TRUE(closedEarly);
    EXPECT_EQ(openPreview(), nullptr);
}

TEST_F(ReportPreviewRun, EmptyNameShowsAnEmptyPreview)
{
    TSeen seen;
    watchPreview(seen, [](TfrmReportPreview &preview) {
        EXPECT_TRUE(Control<QAction>(preview, "btnOpen")->isEnabled());
        EXPECT_FALSE(Control<QAction>(preview, "btnPrint")->isEnabled());
        preview.close();
    });
    TfrmReport form(QString(), kUserName);
    form.LoadReport();
    EXPECT_TRUE(RunReportPreview(form, QIcon()).isEmpty());
    EXPECT_TRUE(seen.finished);
    EXPECT_EQ(seen.caption, DisplayText(1));
}

TEST_F(ReportPreviewRun, ReportForANewerViewerShowsNoWindow)
{
    TMessageCapture messages;
    TSeen seen;
    QPointer<QTimer> watcher = watchPreview(seen, [](TfrmReportPreview &preview) { preview.close(); });
    {
        TfrmReport form(SourceDir() + "/examples/needs-version-2.srp", kUserName);
        form.LoadReport();
        EXPECT_TRUE(RunReportPreview(form, QIcon()).isEmpty());
    }
    QApplication::processEvents();
    EXPECT_FALSE(seen.shown);
    EXPECT_EQ(messages.Texts(), QStringList({FormatText(LookupText(152), {"2"})}));
    delete watcher.data();
}

TEST_F(ReportPreviewRun, ReportWithoutRowsOpensWithEmptyPagesAfterTheMessage)
{
    TMessageCapture messages;
    TSeen seen;
    QPointer<QTimer> watcher = watchPreview(seen, [](TfrmReportPreview &preview) { preview.close(); });
    {
        TfrmReport form(SourceDir() + "/examples/no-data.srp", kUserName);
        form.LoadReport();
        EXPECT_TRUE(RunReportPreview(form, QIcon()).isEmpty());
    }
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(messages.Texts(), QStringList({LookupText(5237)}));
    // No progress window is left behind the message.
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TfrmReportProgress *>(w) && w->isVisible());
    delete watcher.data();
}

} // namespace
