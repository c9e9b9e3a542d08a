// The graph windows and option dialogs as a user meets them: mirrored toolbars, controls
// that follow the view, dialogs that copy values in and out, and screenshots of each kind.
#include "GraphTestSupport.h"
#include "support/Controls.h"

#include "foundation/DisplayText.h"
#include "foundation/IniFile.h"
#include "foundation/Paths.h"
#include "graph/ChartPainter.h"
#include "graph/FontChoice.h"
#include "graph/GraphChartPanel.h"
#include "graph/GraphOptionDialogs.h"
#include "graph/GraphWindow.h"
#include "graph/TrafficGraphWindow.h"
#include "support/TextReading.h"
#include "support/WindowTexts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// An installation folder of its own, so the windows keep their settings in a TRVL.PAR there.
struct TInstallation {
    TTestDir dir;
    TInstallation()
    {
        qputenv("TARVEL_HOME", dir.path().toUtf8());
        ResolvePaths();
    }
    ~TInstallation()
    {
        qunsetenv("TARVEL_HOME");
        ResolvePaths();
    }
};

void shot(QWidget &w, const QString &name)
{
    const QString dir = qEnvironmentVariable("TARVEL_GRAPH_SHOTS");
    if (!dir.isEmpty())
        w.grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

} // namespace

TEST(GraphWindows, GraphWindowEveryKind)
{
    TInstallation home;
    TTestDir dir;
    TMessageRecorder messages;
    TfrmGraph window(nullptr, QIcon());
    ASSERT_TRUE(window.LoadFile(dir.write(QStringLiteral("g.srp"), CallsGraphFile(16))));
    window.resize(1000, 620);
    window.show();
    EXPECT_EQ(window.layoutDirection(), Qt::RightToLeft);
    EXPECT_FALSE(Control<QAction>(window, "btnPrevGroup")->isVisible());
    EXPECT_TRUE(ControlAt<QAction>(window, "btnField", fbCalls)->isVisible());
    EXPECT_FALSE(ControlAt<QAction>(window, "btnField", fbPulses)->isVisible());
    EXPECT_FALSE(Control<QAction>(window, "actFields")->isVisible());
    EXPECT_EQ(Control<QSpinBox>(window, "sedPointsPerPage")->value(), 12);
    EXPECT_TRUE(Control<QAction>(window, "btnNextPage")->isEnabled());
    // The toolbar is mirrored: its first button sits at the right.
    const QWidget *first = Control<QToolBar>(window, "tlbGraph")->widgetForAction(Control<QAction>(window, "btnPrevPage"));
    const QWidget *last = Control<QToolBar>(window, "tlbGraph")->widgetForAction(Control<QAction>(window, "btnExit"));
    EXPECT_GT(first->x(), last->x());
    // Menus, hints and the caption read from the right ("&גלריה...", not "...&גלריה").
    EXPECT_EQ(TextsInLeftToRightForm(&window), QStringList());
    EXPECT_TRUE(ShownTexts(&window).contains(DisplayText(61)));
    EXPECT_EQ(window.windowTitle(), DisplayText(54));

    for (int kind = 0; kind <= 6; ++kind) {
        for (bool threeD : {false, true}) {
            ControlAt<QAction>(window, "btnKind", kind)->trigger();
            if (Control<QAction>(window, "btn3D")->isChecked() != threeD)
                Control<QAction>(window, "btn3D")->trigger();
            if (kind == 1)
                Control<QAction>(window, "btnMarks")->trigger();
            QApplication::processEvents();
            EXPECT_EQ(window.View().Kind(), kind);
            EXPECT_TRUE(ControlAt<QAction>(window, "btnKind", kind)->isChecked());
            shot(window, QStringLiteral("graph-kind%1-%2").arg(kind).arg(threeD ? "3d" : "2d"));
        }
    }
    // One point per page: area, lines, stairs and points are switched off.
    ControlAt<QAction>(window, "btnKind", 3)->trigger();
    Control<QSpinBox>(window, "sedPointsPerPage")->setValue(1);
    EXPECT_EQ(window.View().Kind(), 0);
    EXPECT_FALSE(ControlAt<QAction>(window, "btnKind", 3)->isEnabled());
    window.close();
}

TEST(GraphWindows, TrafficWindow)
{
    TInstallation home;
    TTestDir dir;
    TMessageRecorder messages;
    TfrmTrafficGraph window(nullptr, QIcon());
    ASSERT_TRUE(window.LoadFile(dir.write(QStringLiteral("t.srp"), TrafficFile(3, 24))));
    window.resize(1000, 620);
    window.show();
    EXPECT_FALSE(ControlAt<QAction>(window, "btnKind", 4)->isVisible());
    EXPECT_FALSE(ControlAt<QAction>(window, "btnKind", 6)->isVisible());
    EXPECT_TRUE(ControlAt<QAction>(window, "btnKind", 2)->isChecked());
    EXPECT_EQ(Control<QComboBox>(window, "cmbMultiY")->count(), 2);
    EXPECT_EQ(TextsInLeftToRightForm(&window), QStringList());
    EXPECT_EQ(window.windowTitle(), DisplayText(54));
    for (int kind = 0; kind <= 3; ++kind) {
        for (bool threeD : {false, true}) {
            ControlAt<QAction>(window, "btnKind", kind)->trigger();
            if (Control<QAction>(window, "btn3D")->isChecked() != threeD)
                Control<QAction>(window, "btn3D")->trigger();
            QApplication::processEvents();
            shot(window, QStringLiteral("traffic-kind%1-%2").arg(kind).arg(threeD ? "3d" : "2d"));
        }
    }
    // A change of kind keeps the look in the installation's TRVL.PAR.
    EXPECT_EQ(IniReadInteger(TrvlPar(), QStringLiteral("TrafficGraphInfo"), QStringLiteral("Serie1Color"), 0), 65280);
    Control<QAction>(window, "btnNextPage")->trigger();
    EXPECT_EQ(window.View().CurrentPage(), 1);
    EXPECT_TRUE(Control<QAction>(window, "btnPrevPage")->isEnabled());
    window.close();
}

TEST(GraphWindows, DialogsCopyInAndOut)
{
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);

    auto look = [](QDialog &d, const char *name) {
        EXPECT_EQ(TextsInLeftToRightForm(&d), QStringList()) << name;
        d.show();
        QApplication::processEvents();
        shot(d, QString::fromLatin1(name));
        d.hide();
    };
    TfrmGraphTitles titles(&owner);
    titles.CopyIn({{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}, QStringLiteral("x"), QStringLiteral("y")});
    EXPECT_EQ(ControlAt<QLineEdit>(titles, "edtLine", 2)->text(), QStringLiteral("c"));
    ControlAt<QLineEdit>(titles, "edtLine", 0)->clear();
    ControlAt<QLineEdit>(titles, "edtLine", 2)->clear();
    TGraphTitles out;
    titles.CopyOut(out);
    EXPECT_EQ(out.lines, (QStringList{QString(), QStringLiteral("b")}));
    EXPECT_EQ(out.bottom, QStringLiteral("x"));
    EXPECT_EQ(Control<QLineEdit>(titles, "edtBottom")->maxLength(), 200);
    EXPECT_TRUE(ShownTexts(&titles).contains(DisplayText(99)));
    EXPECT_EQ(ReadFromTheRight(DisplayText(99)), QString::fromUtf8("כותרת תחתית (ציר X)"));
    look(titles, "dialog-titles");

    TfrmGraphColors graphColors(&owner, false);
    TGraphColors colors = TGraphColors::Defaults(false);
    colors.series[0] = 255;
    graphColors.CopyIn(colors);
    graphColors.SelectElement(2);
    EXPECT_EQ(graphColors.CurrentColor(), 255);
    graphColors.SelectCell(12); // blue
    graphColors.DefaultColors();
    TGraphColors back;
    graphColors.CopyOut(back);
    EXPECT_EQ(back.series[0], 16711680);
    EXPECT_EQ(back.series[1], 255);
    EXPECT_TRUE(Control<QCheckBox>(graphColors, "chkRandom")->isEnabled());
    TfrmGraphColors trafficColors(&owner, true);
    trafficColors.DefaultColors();
    trafficColors.CopyOut(back);
    EXPECT_EQ(back.series[0], 65280);
    EXPECT_EQ(back.series[1], 16711680);
    EXPECT_EQ(back.series[2], 255);
    EXPECT_FALSE(Control<QCheckBox>(trafficColors, "chkRandom")->isEnabled());
    look(graphColors, "dialog-colors");

    TfrmGraphGridlines grid(&owner);
    grid.CopyIn(true, false);
    EXPECT_TRUE(Control<QRadioButton>(grid, "rbVertical")->isChecked());
    Control<QRadioButton>(grid, "rbBoth")->setChecked(true);
    bool v = false, h = false;
    grid.CopyOut(v, h);
    EXPECT_TRUE(v && h);
    look(grid, "dialog-gridlines");

    TfrmGraphMarks marks(&owner);
    marks.CopyIn(4);
    int style = 0;
    marks.CopyOut(style);
    EXPECT_EQ(style, 4);

    TfrmGraphGallery gallery(&owner, true);
    gallery.CopyIn(2, false, 30, false, true);
    EXPECT_FALSE(ControlAt<QRadioButton>(gallery, "rbKind", 6)->isEnabled());
    EXPECT_FALSE(ControlAt<QRadioButton>(gallery, "rbKind", 4)->isEnabled());
    EXPECT_TRUE(ControlAt<QRadioButton>(gallery, "rbKind", 3)->isEnabled());
    ControlAt<QRadioButton>(gallery, "rbKind", 0)->setChecked(true);
    int kind = 2, percent = 0;
    bool threeD = true;
    gallery.CopyOut(kind, threeD, percent);
    EXPECT_EQ(kind, 0);
    EXPECT_FALSE(threeD);
    EXPECT_EQ(percent, 30);
    look(gallery, "dialog-gallery");

    TfrmGraphFonts fonts(&owner);
    TGraphFonts f = TGraphFonts::Defaults();
    f.title.color = 255;
    fonts.CopyIn(f);
    EXPECT_TRUE(ControlAt<QLineEdit>(fonts, "edtFont", 0)->text().startsWith(QStringLiteral("Arial,14, Red,")));
    TGraphFonts g;
    fonts.CopyOut(g);
    EXPECT_EQ(g, f);
    look(fonts, "dialog-fonts");
}

TEST(GraphWindows, DialogStaysInsideTheWorkArea)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setGeometry(area.right() - 100, area.top() + 50, 400, 300);
    TfrmGraphMarks marks(&owner);
    marks.PlaceByOwner();
    EXPECT_LE(marks.frameGeometry().right(), area.right());
    EXPECT_GE(marks.x(), area.left());
    shot(marks, QStringLiteral("dialog-marks"));
}

TEST(GraphWindows, PrintRectangle)
{
    EXPECT_EQ(GraphPrintRect(QRect(0, 0, 1000, 1400), QSize(800, 400), false), QRect(50, 475, 900, 450));
    EXPECT_EQ(GraphPrintRect(QRect(0, 0, 1400, 1000), QSize(800, 600), true), QRect(133, 75, 1133, 850));
    // A wide chart on a landscape page stays on the page.
    const QRect wide = GraphPrintRect(QRect(0, 0, 1400, 1000), QSize(800, 300), true);
    EXPECT_TRUE(QRect(0, 0, 1400, 1000).contains(wide));
    EXPECT_EQ(wide.width(), 1190);
    EXPECT_NEAR(double(wide.width()) / wide.height(), 800.0 / 300, 0.01);
}

TEST(GraphWindows, KeysPageThroughPoints)
{
    TInstallation home;
    TTestDir dir;
    TMessageRecorder messages;
    TfrmGraph window(nullptr, QIcon());
    ASSERT_TRUE(window.LoadFile(dir.write(QStringLiteral("g.srp"), CallsGraphFile(30))));
    window.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &window);
    auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(Control<TChartPanel>(window, "crtGraph"), &event);
    };
    const TChartModel &model = window.View().Model();
    press(Qt::Key_Right);
    EXPECT_DOUBLE_EQ(model.bottomAxis.minimum, 0.5);
    press(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(model.bottomAxis.minimum, 11.5);
    EXPECT_TRUE(Control<QAction>(window, "btnPrevPage")->isEnabled());
    press(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(model.bottomAxis.minimum, 17.5); // the last page
    EXPECT_FALSE(Control<QAction>(window, "btnNextPage")->isEnabled());
    press(Qt::Key_Right);
    EXPECT_DOUBLE_EQ(model.bottomAxis.minimum, 17.5);
    press(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(model.bottomAxis.minimum, 6.5);

    // A double click on a bar shows its call-out.
    window.resize(1000, 620);
    QApplication::processEvents();
    const QRectF bounds(Control<TChartPanel>(window, "crtGraph")->rect());
    const TChartLayout layout = LayoutChart(model, bounds);
    ASSERT_FALSE(layout.shapes.empty());
    const QPoint at = layout.shapes.front().area.boundingRect().center().toPoint();
    Control<TChartPanel>(window, "crtGraph")->ShowCallOuts(window.View().CallOuts(bounds, at), at);
    EXPECT_TRUE(Control<TChartPanel>(window, "crtGraph")->CallOutShown());
    shot(window, QStringLiteral("graph-callout"));
    press(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

// Escape with a menu or a drop-down list open closes only that; the window keeps its state.
void escapeClosesOnlyThePopup(QDialog &window, QMenu *menu, QComboBox *list)
{
    auto escape = [] {
        QWidget *popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QKeyEvent event(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(popup, &event);
        QApplication::processEvents();
    };
    menu->popup(window.mapToGlobal(QPoint(20, 20)));
    QApplication::processEvents();
    escape();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(window.isVisible());
    list->showPopup();
    QApplication::processEvents();
    escape();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(window.isVisible());
    // With nothing open, Escape closes the window.
    QKeyEvent event(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
    EXPECT_FALSE(window.isVisible());
}

TEST(GraphWindows, EscapeInAMenuOrListClosesOnlyThat)
{
    TInstallation home;
    TTestDir dir;
    TMessageRecorder messages;
    {
        TfrmGraph window(nullptr, QIcon());
        ASSERT_TRUE(window.LoadFile(dir.write(QStringLiteral("g.srp"), CallsGraphFile(30))));
        window.show();
        Control<QComboBox>(window, "cmbFields")->addItems({"a", "b"});
        escapeClosesOnlyThePopup(window, qobject_cast<QMenu *>(Control<QAction>(window, "mnuGallery")->parent()), Control<QComboBox>(window, "cmbFields"));
    }
    {
        TfrmTrafficGraph window(nullptr, QIcon());
        ASSERT_TRUE(window.LoadFile(dir.write(QStringLiteral("t.srp"), TrafficFile(3, 24))));
        window.show();
        escapeClosesOnlyThePopup(window, qobject_cast<QMenu *>(ControlAt<QAction>(window, "mnuStatistics", 0)->parent()), Control<QComboBox>(window, "cmbMultiY"));
    }
}

TEST(GraphWindows, FontChooserOpensOnTheCurrentFont)
{
    TFontSpec font;
    font.name = "Arial";
    font.size = 14;
    font.bold = true;
    QFontDialog chooser;
    chooser.setCurrentFont(FontChooserStart(font));
    EXPECT_EQ(chooser.currentFont().family(), QFontInfo(QFont("Arial")).family());
    EXPECT_EQ(chooser.currentFont().pointSize(), 14);
    EXPECT_TRUE(chooser.currentFont().bold());
    // OK without a change keeps the setting as it was.
    EXPECT_EQ(FontChosen(font, chooser.currentFont()), font);
}

// The longest stretch of rows' dotted pattern: the number of short black runs in the row
// that has most of them.
int dottedRuns(const QImage &image, int minRun)
{
    int best = 0;
    for (int y = 0; y < image.height(); ++y) {
        int runs = 0, run = 0;
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 40) {
                ++run;
                continue;
            }
            if (run >= minRun && run <= 3 * minRun)
                ++runs;
            run = 0;
        }
        best = std::max(best, runs);
    }
    return best;
}

TEST(GraphWindows, PrintedGridlinesAreDottedAsOnScreen)
{
    TInstallation home;
    TTestDir dir;
    TMessageRecorder messages;
    TfrmGraph window(nullptr, QIcon());
    ASSERT_TRUE(window.LoadFile(dir.write(QStringLiteral("g.srp"), CallsGraphFile(8))));
    TChartModel model = window.View().Model();
    model.leftAxis.gridVisible = true;
    const QSizeF size(500, 300);
    // Four times the size, as on a printer: the dots grow with the chart.
    QImage big(2000, 1200, QImage::Format_RGB32);
    big.fill(Qt::white);
    QPainter p(&big);
    p.scale(4, 4);
    PaintChart(model, p, QRectF(QPointF(0, 0), size));
    p.end();
    EXPECT_GE(dottedRuns(big, 3), 20);
}

TEST(GraphWindows, PrintsCentredOnThePage)
{
    TInstallation home;
    TTestDir dir;
    TMessageRecorder messages;
    TfrmGraph window(nullptr, QIcon());
    ASSERT_TRUE(window.LoadFile(dir.write(QStringLiteral("g.srp"), CallsGraphFile(8))));
    window.resize(1000, 620);
    window.show();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.path(QStringLiteral("graph.pdf")));
    EXPECT_TRUE(Control<TChartPanel>(window, "crtGraph")->PrintTo(printer));
    EXPECT_GT(QFileInfo(dir.path(QStringLiteral("graph.pdf"))).size(), 1000);
    window.close();
}
