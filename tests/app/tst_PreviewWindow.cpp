// The preview window: toolbar state, zoom list and stored zoom, page keys, automatic
// scrolling, opening page files and reports.
#include "PreviewTestSupport.h"
#include "support/Controls.h"

#include "app/PageView.h"
#include "app/PreviewState.h"
#include "app/PreviewWindow.h"
#include "engine/PageFile.h"
#include "foundation/AppState.h"
#include "foundation/IniFile.h"
#include "foundation/DisplayText.h"
#include "foundation/LocalFileName.h"
#include "support/TestFiles.h"
#include "support/TextReading.h"
#include "support/WindowTexts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace {

void pressKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &event);
}

void typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text)
        pressKey(target, c.unicode(), Qt::NoModifier, QString(c));
}

class PreviewWindow : public TShownPreview
{
protected:
    QString zoomText() const { return Control<QComboBox>(*window, "cmbZoom")->currentText(); }
    QString trvlPar() const { return TrvlPar(); }
};

TEST_F(PreviewWindow, ToolbarFollowsGenerationAndPages)
{
    window->SetStore(&store);
    // While the report is read nothing but paging works.
    for (QAction *a : {Control<QAction>(*window, "btnOpen"), Control<QAction>(*window, "btnSave"), Control<QAction>(*window, "btnPrint"), Control<QAction>(*window, "btnGraph"), Control<QAction>(*window, "btnMail"),
                       Control<QAction>(*window, "btnPageUp"), Control<QAction>(*window, "btnPageDown")})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_TRUE(Control<QProgressBar>(*window, "gugProgress")->isVisibleTo(window.get()));
    FillStore(store, 1);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 1);
    EXPECT_EQ(Control<QLabel>(*window, "pnlPage")->text(), "1/1");
    // More pages are coming: Next and Last stay enabled.
    EXPECT_TRUE(Control<QAction>(*window, "btnPageDown")->isEnabled());
    EXPECT_TRUE(Control<QAction>(*window, "btnLastPage")->isEnabled());
    FillStore(store, 2); // pages 2 and 3 arrive while page 1 is shown
    EXPECT_EQ(Control<QLabel>(*window, "pnlPage")->text(), "1/3");
    EXPECT_TRUE(Control<QAction>(*window, "btnPageDown")->isEnabled());
    EXPECT_TRUE(Control<QAction>(*window, "btnLastPage")->isEnabled());
    EXPECT_FALSE(Control<QAction>(*window, "btnOpen")->isEnabled());

    window->ReportDone(false);
    EXPECT_TRUE(window->ReportFinished());
    EXPECT_TRUE(Control<QAction>(*window, "btnOpen")->isEnabled());
    EXPECT_TRUE(Control<QAction>(*window, "btnSave")->isEnabled());
    EXPECT_TRUE(Control<QAction>(*window, "btnPrint")->isEnabled());
    EXPECT_FALSE(Control<QAction>(*window, "btnGraph")->isEnabled());
    EXPECT_FALSE(Control<QAction>(*window, "btnMail")->isEnabled());
    EXPECT_FALSE(Control<QProgressBar>(*window, "gugProgress")->isVisibleTo(window.get()));
    window->ReportDone(true);
    EXPECT_TRUE(Control<QAction>(*window, "btnGraph")->isEnabled());

    window->LastPageClick();
    EXPECT_EQ(Control<QLabel>(*window, "pnlPage")->text(), "3/3");
    EXPECT_FALSE(Control<QAction>(*window, "btnPageDown")->isEnabled());
    EXPECT_FALSE(Control<QAction>(*window, "btnLastPage")->isEnabled());
    EXPECT_TRUE(Control<QAction>(*window, "btnPageUp")->isEnabled());
    window->FirstPageClick();
    EXPECT_FALSE(Control<QAction>(*window, "btnPageUp")->isEnabled());
    EXPECT_FALSE(Control<QAction>(*window, "btnFirstPage")->isEnabled());
}

TEST_F(PreviewWindow, CaptionAndHintsComeFromTheLanguageTable)
{
    EXPECT_EQ(window->windowTitle(), DisplayFormat(145, {"/tmp/report.srp"}));
    // The caption is the text alone, read from the right, with no double space.
    EXPECT_EQ(ReadFromTheRight(window->windowTitle()), QString::fromUtf8("צופה בקובץ /tmp/report.srp"));
    EXPECT_EQ(TextsInLeftToRightForm(window.get()), QStringList());
    TfrmReportPreview empty{QString(), QIcon()};
    EXPECT_EQ(empty.windowTitle(), DisplayText(1));
    // A name in another code page is shown as given, not by the descriptor it is opened through.
    TTestDir dir;
    const QByteArray raw = QFile::encodeName(dir.path()) + "/\xe9\xf2.srp";
    ASSERT_TRUE(QFile(dir.path("plain.srp")).open(QIODevice::WriteOnly));
    ASSERT_EQ(::rename(QFile::encodeName(dir.path("plain.srp")).constData(), raw.constData()), 0);
    TfrmReportPreview coded{LocalFileName(raw), QIcon()};
    // Save as starts in a folder a person knows, not in the stand-in under /proc.
    QString start;
    coded.SetSaveDialog([&](QWidget *, const QString &directory, QString &, int &) {
        start = directory;
        return false;
    });
    coded.SaveClick();
    ::unlink(raw.constData());
    EXPECT_EQ(coded.windowTitle(), DisplayFormat(145, {QFile::decodeName(raw)}));
    EXPECT_FALSE(start.isEmpty());
    EXPECT_FALSE(start.startsWith(QLatin1String("/proc/"))) << start.toStdString();
    EXPECT_EQ(Control<QAction>(*window, "btnPageDown")->toolTip(), DisplayText(2));
    EXPECT_EQ(Control<QAction>(*window, "btnClose")->toolTip(), DisplayText(9));
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->toolTip(), DisplayText(13));
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->count(), 5);
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->itemText(3), DisplayText(14));
    EXPECT_EQ(window->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->layoutDirection(), Qt::LeftToRight);

    TMessageCapture messages;
    window->ShowAbout();
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].startsWith(DisplayText(1)));
    EXPECT_TRUE(messages.Texts()[0].endsWith("1.00"));
}

TEST_F(PreviewWindow, FirstStartOpensAtPageWidthAndStoresWholePagePercentage)
{
    generate(3);
    EXPECT_EQ(window->State()->ZoomMode(), TfrmReportPreview::kZoomPageWidth);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), Control<TPageView>(*window, "qrPreview")->PageWidthZoom());
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->count(), 6);
    EXPECT_EQ(zoomText(), QString::number(Control<TPageView>(*window, "qrPreview")->Zoom()) + "%");

    window->ZoomListClick(TfrmReportPreview::kZoomWholePage);
    const int whole = Control<TPageView>(*window, "qrPreview")->Zoom();
    EXPECT_EQ(whole, Control<TPageView>(*window, "qrPreview")->WholePageZoom());
    EXPECT_LT(whole, 100);
    EXPECT_EQ(zoomText(), QString::number(whole) + "%");
    window->close();
    EXPECT_EQ(IniReadInteger(trvlPar(), "PageInfo", "PortraitZoom", 0), whole);
    EXPECT_EQ(IniReadInteger(trvlPar(), "PageInfo", "LandscapeZoom", 0), 0);

    // The next portrait report opens at that percentage.
    TfrmReportPreview next(QStringLiteral("/tmp/b.srp"), QIcon());
    next.resize(1000, 700);
    TPageStore pages;
    next.SetStore(&pages);
    FillStore(pages, 1);
    EXPECT_EQ(Control<TPageView>(next, "qrPreview")->Zoom(), whole);
    EXPECT_EQ(Control<QComboBox>(next, "cmbZoom")->currentText(), QString::number(whole) + "%");
}

TEST_F(PreviewWindow, LandscapeAndPortraitKeepTheirOwnZoom)
{
    IniWriteInteger(trvlPar(), "PageInfo", "PortraitZoom", 150);
    IniWriteInteger(trvlPar(), "PageInfo", "LandscapeZoom", 5); // out of range: page width
    {
        TfrmReportPreview landscape(QStringLiteral("/tmp/l.srp"), QIcon());
        landscape.resize(1000, 700);
        TPageStore pages;
        landscape.SetStore(&pages);
        FillStore(pages, 2, true);
        EXPECT_EQ(landscape.State()->ZoomMode(), TfrmReportPreview::kZoomPageWidth);
        landscape.ZoomListClick(TfrmReportPreview::kZoom200);
        landscape.close();
    }
    EXPECT_EQ(IniReadInteger(trvlPar(), "PageInfo", "LandscapeZoom", 0), 200);
    EXPECT_EQ(IniReadInteger(trvlPar(), "PageInfo", "PortraitZoom", 0), 150);
    SetUp(); // a window reads the stored zoom when it is created
    generate(2);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), 150);
    EXPECT_EQ(window->State()->ZoomMode(), TfrmReportPreview::kZoom150);
    // Page width is remembered as -1, so it fits the next window's width again.
    window->ZoomListClick(TfrmReportPreview::kZoomPageWidth);
    window->close();
    EXPECT_EQ(IniReadInteger(trvlPar(), "PageInfo", "PortraitZoom", 0), -1);
}

TEST_F(PreviewWindow, ZoomListEntriesArrowsAndDropDown)
{
    generate(2);
    window->ZoomListClick(TfrmReportPreview::kZoom100);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), 100);
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->count(), 6);
    EXPECT_EQ(zoomText(), "100%");

    // An arrow key only moves the selection; the list click it causes is ignored.
    Control<QComboBox>(*window, "cmbZoom")->setFocus();
    pressKey(Control<QComboBox>(*window, "cmbZoom"), Qt::Key_Up);
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->count(), 5); // Up removed the sixth entry
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), 100);
    pressKey(Control<QComboBox>(*window, "cmbZoom"), Qt::Key_Up);
    pressKey(Control<QComboBox>(*window, "cmbZoom"), Qt::Key_Down);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), 100);
    EXPECT_FALSE(window->ArrowInZoom());

    window->ZoomListClick(TfrmReportPreview::kZoom200);
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->count(), 6);
    Control<QComboBox>(*window, "cmbZoom")->showPopup();
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->count(), 5); // dropping the list down removes it too
    Control<QComboBox>(*window, "cmbZoom")->hidePopup();
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), 200);
}

TEST_F(PreviewWindow, TypedZoomInRangeAndOutOfRange)
{
    generate(2);
    TMessageCapture messages;
    Control<QComboBox>(*window, "cmbZoom")->setFocus();
    Control<QComboBox>(*window, "cmbZoom")->setEditText("250%");
    pressKey(Control<QComboBox>(*window, "cmbZoom"), Qt::Key_Return);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), 250);
    EXPECT_EQ(zoomText(), "250%");
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_FALSE(Control<QComboBox>(*window, "cmbZoom")->hasFocus());

    Control<QComboBox>(*window, "cmbZoom")->setFocus();
    Control<QComboBox>(*window, "cmbZoom")->setEditText("5");
    pressKey(Control<QComboBox>(*window, "cmbZoom"), Qt::Key_Return);
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_EQ(messages.Texts()[0], DisplayFormat(76, {"10", "300"}));
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), 250);
    EXPECT_EQ(zoomText(), "250%");
    Control<QComboBox>(*window, "cmbZoom")->setFocus();
    Control<QComboBox>(*window, "cmbZoom")->setEditText("abc");
    pressKey(Control<QComboBox>(*window, "cmbZoom"), Qt::Key_Return);
    EXPECT_EQ(messages.Texts().size(), 2);

    // Enter on a fixed entry applies it; whole page also refreshes the list.
    Control<QComboBox>(*window, "cmbZoom")->setFocus();
    Control<QComboBox>(*window, "cmbZoom")->setCurrentIndex(TfrmReportPreview::kZoomWholePage);
    pressKey(Control<QComboBox>(*window, "cmbZoom"), Qt::Key_Return);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->Zoom(), Control<TPageView>(*window, "qrPreview")->WholePageZoom());
    EXPECT_EQ(Control<QComboBox>(*window, "cmbZoom")->count(), 6);

    // A typed zoom is the one remembered.
    Control<QComboBox>(*window, "cmbZoom")->setFocus();
    Control<QComboBox>(*window, "cmbZoom")->setEditText("250");
    pressKey(Control<QComboBox>(*window, "cmbZoom"), Qt::Key_Return);
    window->close();
    EXPECT_EQ(IniReadInteger(trvlPar(), "PageInfo", "PortraitZoom", 0), 250);
}

TEST_F(PreviewWindow, PageKeys)
{
    generate(5);
    window->ZoomListClick(TfrmReportPreview::kZoom150);
    QWidget *view = Control<TPageView>(*window, "qrPreview");
    view->setFocus();
    pressKey(view, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 2);
    // Without Ctrl, Page Down scrolls within the page by the visible height less the page
    // view's top in the window (the toolbar's height).
    const int top = Control<TPageView>(*window, "qrPreview")->mapTo(window.get(), QPoint(0, 0)).y();
    EXPECT_GT(top, 20);
    const int page = Control<TPageView>(*window, "qrPreview")->VisibleHeight() - top;
    pressKey(view, Qt::Key_PageDown);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 2);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->ScrollPosition(), page);
    pressKey(view, Qt::Key_PageUp);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->ScrollPosition(), 0);
    pressKey(view, Qt::Key_PageDown);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->ScrollPosition(), page);
    pressKey(view, Qt::Key_Up);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->ScrollPosition(), page - 10);
    pressKey(view, Qt::Key_End);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->ScrollPosition(), Control<TPageView>(*window, "qrPreview")->ScrollMaximum());
    pressKey(view, Qt::Key_Home);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->ScrollPosition(), 0);
    pressKey(view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 5);
    pressKey(view, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 4);
    pressKey(view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 1);
    EXPECT_EQ(Control<QLabel>(*window, "pnlPage")->text(), "1/5");

    // Ctrl alone: Ctrl+Shift+P does not print.
    int prints = 0;
    window->SetOnPrintReport([&](bool showDialog) { prints += showDialog ? 1 : 100; });
    pressKey(view, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(prints, 0);
    pressKey(view, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(prints, 1);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(PreviewWindow, GoToTypedPageAndEscape)
{
    generate(12);
    QWidget *view = Control<TPageView>(*window, "qrPreview");
    pressKey(view, Qt::Key_G, Qt::ControlModifier);
    ASSERT_TRUE(Control<QLineEdit>(*window, "edtGoToPage")->isVisible());
    EXPECT_TRUE(Control<QLineEdit>(*window, "edtGoToPage")->text().isEmpty());
    typeText(Control<QLineEdit>(*window, "edtGoToPage"), "11");
    pressKey(Control<QLineEdit>(*window, "edtGoToPage"), Qt::Key_Return);
    EXPECT_FALSE(Control<QLineEdit>(*window, "edtGoToPage")->isVisible());
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 11);
    EXPECT_EQ(Control<QLabel>(*window, "pnlPage")->text(), "11/12");

    // A page beyond the end shows the last; a non-number keeps the page.
    window->ShowGoToPage();
    typeText(Control<QLineEdit>(*window, "edtGoToPage"), "99");
    pressKey(Control<QLineEdit>(*window, "edtGoToPage"), Qt::Key_Enter);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 12);
    window->ShowGoToPage();
    typeText(Control<QLineEdit>(*window, "edtGoToPage"), "x");
    pressKey(Control<QLineEdit>(*window, "edtGoToPage"), Qt::Key_Return);
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageNumber(), 12);

    // Escape with the edit shown only hides the edit; the next one closes the window.
    window->ShowGoToPage();
    pressKey(Control<QLineEdit>(*window, "edtGoToPage"), Qt::Key_Escape);
    EXPECT_FALSE(Control<QLineEdit>(*window, "edtGoToPage")->isVisible());
    EXPECT_TRUE(window->isVisible());
    pressKey(view, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->Closing());
}

TEST_F(PreviewWindow, AutomaticScrollingPausesAtEdgesAndStopsAtTheEnd)
{
    generate(2);
    window->ZoomListClick(TfrmReportPreview::kZoom100);
    TPageView *view = Control<TPageView>(*window, "qrPreview");
    window->StartScrolling(false);
    EXPECT_TRUE(window->IsScrolling());
    EXPECT_EQ(window->ScrollInterval(), 200);
    window->ScrollTick();
    EXPECT_EQ(view->ScrollPosition(), 10);
    int ticks = 1;
    while (!window->EdgePause() && ticks < 1000) {
        window->ScrollTick();
        ++ticks;
    }
    EXPECT_EQ(view->ScrollPosition(), view->ScrollMaximum());
    EXPECT_EQ(window->ScrollInterval(), 600);
    EXPECT_EQ(view->PageNumber(), 1);
    window->ScrollTick(); // the pause ends: next page, from its top
    EXPECT_FALSE(window->EdgePause());
    EXPECT_EQ(window->ScrollInterval(), 200);
    EXPECT_EQ(view->PageNumber(), 2);
    EXPECT_EQ(view->ScrollPosition(), 0);
    while (!window->EdgePause())
        window->ScrollTick();
    window->ScrollTick(); // bottom of the last page: stop
    EXPECT_FALSE(window->IsScrolling());
    EXPECT_EQ(view->PageNumber(), 2);

    // Upward: to the bottom of the previous page, and stop at the top of the first.
    window->StartScrolling(true);
    view->ScrollTo(0);
    window->ScrollTick();
    EXPECT_TRUE(window->EdgePause());
    window->ScrollTick();
    EXPECT_EQ(view->PageNumber(), 1);
    EXPECT_EQ(view->ScrollPosition(), view->ScrollMaximum());
    view->ScrollTo(5);
    window->ScrollTick();
    window->ScrollTick();
    EXPECT_FALSE(window->IsScrolling());
    EXPECT_EQ(view->PageNumber(), 1);

    // A page button stops scrolling.
    window->StartScrolling(false);
    window->PageDownClick();
    EXPECT_FALSE(window->IsScrolling());
}

TEST_F(PreviewWindow, OpenPageFileOrAnotherReport)
{
    generate(3);
    TPageStore other;
    FillStore(other, 7, true);
    const QString pageFile = installation.path("pages.QRP");
    ASSERT_TRUE(SavePagesToFile(other, pageFile));
    const QString junk = installation.dir().write("junk.qrp", "not a page file at all");

    TMessageCapture messages;
    QString chosen;
    QString startDir;
    window->SetOpenDialog([&](QWidget *, const QString &dir) { startDir = dir; return chosen; });
    chosen = junk;
    window->OpenClick();
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_EQ(messages.Texts()[0], DisplayFormat(16, {junk}));
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageCount(), 3);
    EXPECT_EQ(window->Store(), &store);
    EXPECT_EQ(startDir, "/tmp");

    chosen = pageFile;
    window->OpenClick();
    EXPECT_EQ(Control<TPageView>(*window, "qrPreview")->PageCount(), 7);
    EXPECT_EQ(Control<QLabel>(*window, "pnlPage")->text(), "1/7");
    EXPECT_EQ(window->ReportFileName(), pageFile);
    EXPECT_EQ(window->windowTitle(), DisplayFormat(145, {pageFile}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(store.PageCount(), 3); // the report's own pages are untouched

    chosen = installation.path("next.srp");
    window->OpenClick();
    EXPECT_EQ(window->RequestedFile(), chosen);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(PreviewWindow, SaveDispatchesByTypeAndRemembersTheDirectory)
{
    generate(2);
    QStringList calls;
    window->SetOnSaveCopy([&](const QString &file, const QString &progress, const QString &cancel) {
        calls << "copy " + file;
        EXPECT_EQ(progress, DisplayText(129));
        EXPECT_EQ(cancel, DisplayText(130));
        return true;
    });
    window->SetOnExport([&](const QString &file, const QString &client) {
        calls << "export " + file;
        EXPECT_TRUE(client.endsWith("CLIENT.PAR"));
        return true;
    });
    QString target;
    int type = 0;
    window->SetSaveDialog([&](QWidget *, const QString &, QString &file, int &t) { file = target; t = type; return true; });
    target = installation.path("a.srp");
    window->SaveClick();
    type = 1;
    target = installation.path("a.csv");
    window->SaveClick();
    type = 2;
    target = installation.path("a.qrp");
    window->SaveClick();
    EXPECT_EQ(calls, QStringList({"copy " + installation.path("a.srp"), "export " + installation.path("a.csv")}));
    TPageStore loaded;
    EXPECT_TRUE(LoadPagesFromFile(loaded, target));
    EXPECT_EQ(loaded.PageCount(), 2);
    EXPECT_EQ(LastSaveDirectory(), installation.path());
    window->close();
    EXPECT_EQ(IniReadString(trvlPar(), "PageInfo", "LastReportDir", ""), installation.path());
    LastSaveDirectory().clear();
}

} // namespace
