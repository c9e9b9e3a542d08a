// The export options dialog and the save-as dialog, driven as a user drives them.
#include "export/ExportOptions.h"
#include "support/Controls.h"
#include "export/ExportOptionsDialog.h"
#include "export/SaveReportDialog.h"
#include "foundation/DisplayText.h"
#include "foundation/Messages.h"
#include "support/TestFiles.h"
#include "support/TextReading.h"
#include "support/WindowTexts.h"

#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class DialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageHandler([this](const QString &text, const QString &, int, int) {
            messages.append(text);
            return answer;
        });
    }
    void TearDown() override { SetMessageHandler({}); }

    // With TARVEL_SCREENSHOTS set, windows are saved there as PNG to be looked at.
    static void screenshot(QWidget &window, const QString &name)
    {
        const QString folder = qEnvironmentVariable("TARVEL_SCREENSHOTS");
        if (!folder.isEmpty())
            window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    }

    TTestDir dir;
    QStringList messages;
    int answer = mrYes;
};

TEST_F(DialogTest, ExportOptionsLoadIntoTheControls)
{
    const QString par = dir.write("CLIENT.PAR", "[export]\r\nDELIMITER=59\r\nLINES_IN_PAGE=-1\r\nDATA_ONLY=Y\r\n"
                                                "HEADER_TYPE=2\r\nPAGE_BREAK=2\r\n");
    ExportTabSelector() = TExportTab::Text;
    TfrmExportOpt dialog(nullptr, par);
    dialog.show();
    screenshot(dialog, "export-options-text");
    EXPECT_EQ(dialog.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(dialog.windowTitle(), DisplayText(134));
    EXPECT_EQ(Control<QTabWidget>(dialog, "pagExportOpt")->currentWidget(), Control<QWidget>(dialog, "tabText"));
    EXPECT_TRUE(Control<QRadioButton>(dialog, "radOther")->isChecked());
    EXPECT_TRUE(Control<QLineEdit>(dialog, "edtDelimiter")->isEnabled());
    EXPECT_EQ(Control<QLineEdit>(dialog, "edtDelimiter")->text(), ";");
    EXPECT_TRUE(Control<QCheckBox>(dialog, "chkDataOnly")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(dialog, "chkIncludeHeader")->isEnabled());
    EXPECT_TRUE(Control<QRadioButton>(dialog, "rbIncludeReportHeader")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(dialog, "rbIncludeReportHeader")->isEnabled());
    EXPECT_TRUE(Control<QRadioButton>(dialog, "radContinious")->isChecked());
    EXPECT_FALSE(Control<QLineEdit>(dialog, "edtLinesInPage")->isEnabled());
    EXPECT_EQ(Control<QLineEdit>(dialog, "edtLinesInPage")->text(), "60");
    EXPECT_TRUE(Control<QRadioButton>(dialog, "radFF")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(dialog, "radFF")->isEnabled());

    ExportTabSelector() = TExportTab::CSV;
    TfrmExportOpt csv(nullptr, par);
    csv.show();
    screenshot(csv, "export-options-csv");
    EXPECT_EQ(Control<QTabWidget>(csv, "pagExportOpt")->currentWidget(), Control<QWidget>(csv, "tabCSV"));
}

TEST_F(DialogTest, ExportOptionsReadFromTheRight)
{
    TfrmExportOpt dialog(nullptr, dir.write("CLIENT.PAR", ""));
    EXPECT_EQ(TextsInLeftToRightForm(&dialog), QStringList());
    EXPECT_EQ(ReadFromTheRight(Control<QCheckBox>(dialog, "chkAsciiDos")->text()), QString::fromUtf8("שמור כ DOS ASCII"));
    EXPECT_EQ(ReadFromTheRight(Control<QTabWidget>(dialog, "pagExportOpt")->tabText(0)), QString::fromUtf8("קובץ CSV"));
}

TEST_F(DialogTest, ExportOptionsClicksAndOk)
{
    const QString par = dir.write("CLIENT.PAR", "[export]\r\n");
    TfrmExportOpt dialog(nullptr, par);
    dialog.show();
    EXPECT_TRUE(Control<QRadioButton>(dialog, "radComma")->isChecked());
    EXPECT_FALSE(Control<QLineEdit>(dialog, "edtDelimiter")->isEnabled());
    Control<QRadioButton>(dialog, "radOther")->click();
    EXPECT_TRUE(Control<QLineEdit>(dialog, "edtDelimiter")->isEnabled());
    Control<QRadioButton>(dialog, "radTab")->click();
    EXPECT_FALSE(Control<QLineEdit>(dialog, "edtDelimiter")->isEnabled());

    Control<QCheckBox>(dialog, "chkDataOnly")->click();
    EXPECT_FALSE(Control<QCheckBox>(dialog, "chkIncludeHeader")->isEnabled());
    EXPECT_FALSE(Control<QRadioButton>(dialog, "rbIncludeFieldsHeader")->isEnabled());
    Control<QCheckBox>(dialog, "chkDataOnly")->click();
    EXPECT_TRUE(Control<QRadioButton>(dialog, "rbIncludeFieldsHeader")->isEnabled());
    Control<QCheckBox>(dialog, "chkIncludeHeader")->click();
    EXPECT_FALSE(Control<QRadioButton>(dialog, "rbIncludeFieldsHeader")->isEnabled());
    Control<QCheckBox>(dialog, "chkIncludeHeader")->click();
    Control<QRadioButton>(dialog, "rbIncludeReportHeader")->click();

    Control<QRadioButton>(dialog, "radContinious")->click();
    EXPECT_FALSE(Control<QLineEdit>(dialog, "edtLinesInPage")->isEnabled());
    EXPECT_FALSE(Control<QRadioButton>(dialog, "radEmptyLine")->isEnabled());
    Control<QRadioButton>(dialog, "radLinesInPage")->click();
    EXPECT_TRUE(Control<QRadioButton>(dialog, "radEmptyLine")->isEnabled());
    Control<QRadioButton>(dialog, "radEmptyLine")->click();

    // Lines per page must be a whole number above zero.
    Control<QLineEdit>(dialog, "edtLinesInPage")->setText("0");
    dialog.OkClick();
    EXPECT_EQ(messages, QStringList({DisplayText(180)}));
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(dir.read("CLIENT.PAR").contains("DELIMITER"));

    Control<QLineEdit>(dialog, "edtLinesInPage")->setText("42");
    dialog.OkClick();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    TExportOptions saved;
    LoadExportOptions(par, saved);
    EXPECT_EQ(saved.Delimiter, '\t');
    EXPECT_EQ(saved.LinesInPage, 42);
    EXPECT_EQ(saved.PageBreak, pbEmptyLine);
    EXPECT_EQ(saved.HeaderType, htReportHeader);
    EXPECT_TRUE(saved.IncludeHeader);
    EXPECT_FALSE(saved.DataOnly);

    // Cancel writes nothing; an empty "other" delimiter loads back as a comma.
    TfrmExportOpt second(nullptr, par);
    Control<QRadioButton>(second, "radOther")->click();
    Control<QRadioButton>(second, "radContinious")->click();
    Control<QPushButton>(second, "btnCancel")->click();
    LoadExportOptions(par, saved);
    EXPECT_EQ(saved.LinesInPage, 42);
    TfrmExportOpt third(nullptr, par);
    Control<QRadioButton>(third, "radOther")->click();
    Control<QRadioButton>(third, "radContinious")->click();
    third.OkClick();
    LoadExportOptions(par, saved);
    EXPECT_EQ(saved.Delimiter, ',');
    EXPECT_EQ(saved.LinesInPage, -1);
}

class SaveDialogTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        QDir(dir.path()).mkdir("sub");
        dir.write("a.srp", "x");
        dir.write("b.CSV", "x");
        dir.write("c.txt", "x");
    }
};

TEST_F(SaveDialogTest, ShowsTheFolderItsFilesAndTheDrives)
{
    const QString before = QDir::currentPath();
    {
        TfrmSaveReport dialog;
        dialog.SetStartDirectory(dir.path());
        dialog.show();
        screenshot(dialog, "save-as");
        EXPECT_EQ(dialog.layoutDirection(), Qt::RightToLeft);
        EXPECT_EQ(Control<QLineEdit>(dialog, "edtFileName")->layoutDirection(), Qt::LeftToRight);
        EXPECT_EQ(Control<QComboBox>(dialog, "cmbSaveAsType")->layoutDirection(), Qt::LeftToRight);
        EXPECT_EQ(dialog.windowTitle(), DisplayText(132));
        EXPECT_EQ(TextsInLeftToRightForm(&dialog), QStringList());
        EXPECT_EQ(Control<QComboBox>(dialog, "cmbSaveAsType")->count(), 6);
        EXPECT_EQ(Control<QComboBox>(dialog, "cmbSaveAsType")->itemText(0), "Script files (*.SRP)");
        EXPECT_EQ(Control<QComboBox>(dialog, "cmbSaveAsType")->itemText(3), "Text files (*.TXT)");
        // Our own additions come after the suite's four types.
        EXPECT_EQ(Control<QComboBox>(dialog, "cmbSaveAsType")->itemText(stPdf), "PDF (*.pdf)");
        EXPECT_EQ(Control<QComboBox>(dialog, "cmbSaveAsType")->itemText(stXlsx), "Excel (*.xlsx)");
        Control<QComboBox>(dialog, "cmbSaveAsType")->showPopup();
        screenshot(*Control<QComboBox>(dialog, "cmbSaveAsType")->view()->window(), "save-as-types");
        Control<QComboBox>(dialog, "cmbSaveAsType")->hidePopup();
        EXPECT_GE(Control<QComboBox>(dialog, "cmbDrive")->count(), 1);
        EXPECT_GE(Control<QComboBox>(dialog, "cmbDrive")->findText("/"), 0);
        EXPECT_EQ(Control<QLabel>(dialog, "lblDirectory")->text(), QDir(dir.path()).absolutePath());
        EXPECT_EQ(Control<QListWidget>(dialog, "lstFile")->count(), 1);
        EXPECT_EQ(Control<QListWidget>(dialog, "lstFile")->item(0)->text(), "a.srp");
        Control<QComboBox>(dialog, "cmbSaveAsType")->setCurrentIndex(stCsv);
        ASSERT_EQ(Control<QListWidget>(dialog, "lstFile")->count(), 1);
        EXPECT_EQ(Control<QListWidget>(dialog, "lstFile")->item(0)->text(), "b.CSV"); // extensions in any letter case
        Control<QListWidget>(dialog, "lstFile")->itemClicked(Control<QListWidget>(dialog, "lstFile")->item(0));
        EXPECT_EQ(Control<QLineEdit>(dialog, "edtFileName")->text(), "b.CSV");

        // Into a folder and back.
        const auto items = Control<QListWidget>(dialog, "lstDirectory")->findItems("sub", Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        Control<QListWidget>(dialog, "lstDirectory")->itemActivated(items[0]);
        EXPECT_EQ(dialog.Directory(), QDir(dir.path("sub")).absolutePath());
        EXPECT_EQ(QDir::currentPath(), dialog.Directory());
        Control<QListWidget>(dialog, "lstDirectory")->itemActivated(Control<QListWidget>(dialog, "lstDirectory")->item(0));
        EXPECT_EQ(dialog.Directory(), QDir(dir.path()).absolutePath());
    }
    EXPECT_EQ(QDir::currentPath(), before); // the current directory is put back
}

TEST_F(SaveDialogTest, NameRules)
{
    TfrmSaveReport dialog;
    dialog.SetStartDirectory(dir.path());
    dialog.show();
    const QString folder = QDir(dir.path()).absolutePath();

    // Wildcards and empty names keep the dialog open without a message.
    for (const char *name : {"", "  ", "*.csv", "a?.srp"}) {
        Control<QLineEdit>(dialog, "edtFileName")->setText(name);
        dialog.OkClick();
        EXPECT_EQ(dialog.result(), 0) << name;
    }
    EXPECT_TRUE(messages.isEmpty());

    // A folder that does not exist: text 146 with the folder.
    Control<QLineEdit>(dialog, "edtFileName")->setText(folder + "/nowhere/x.srp");
    dialog.OkClick();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(messages, QStringList({DisplayFormat(146, {folder + "/nowhere"})}));

    // "a" becomes "a.SRP", a new name beside "a.srp": no question.
    messages.clear();
    answer = mrNo;
    Control<QLineEdit>(dialog, "edtFileName")->setText("a");
    dialog.OkClick();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dialog.FileName(), folder + "/a.SRP");
}

TEST_F(SaveDialogTest, ABareNameGetsTheFolderAndTheTypesExtension)
{
    TfrmSaveReport dialog;
    dialog.SetStartDirectory(dir.path());
    dialog.show();
    const QString folder = QDir(dir.path()).absolutePath();
    Control<QLineEdit>(dialog, "edtFileName")->setText("  june  ");
    dialog.OkClick();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(dialog.FileName(), folder + "/june.SRP");
    EXPECT_EQ(dialog.SaveType(), stSrp);

    TfrmSaveReport text;
    text.SetStartDirectory(dir.path());
    text.show();
    Control<QComboBox>(text, "cmbSaveAsType")->setCurrentIndex(stTxt);
    Control<QLineEdit>(text, "edtFileName")->setText("sub/june");
    text.OkClick();
    EXPECT_EQ(text.FileName(), folder + "/sub/june.TXT");
}

TEST_F(SaveDialogTest, ReplacingAsksFirst)
{
    const QString folder = QDir(dir.path()).absolutePath();
    TfrmSaveReport dialog;
    dialog.SetStartDirectory(dir.path());
    dialog.show();
    answer = mrNo;
    Control<QLineEdit>(dialog, "edtFileName")->setText("a.srp");
    dialog.OkClick();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(messages, QStringList({DisplayFormat(147, {folder + "/a.srp"})}));
    answer = mrYes;
    dialog.OkClick();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(dialog.FileName(), folder + "/a.srp");
}

TEST_F(SaveDialogTest, ExportButtonOpensTheOptionsOnTheTypesTab)
{
    TfrmSaveReport dialog;
    dialog.SetStartDirectory(dir.path());
    dialog.show();
    QString shownTab;
    // Closes the options dialog as soon as it is shown, noting its tab.
    auto closeOptions = [&shownTab] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *options = qobject_cast<TfrmExportOpt *>(w); options && options->isVisible()) {
                shownTab = Control<QTabWidget>(*options, "pagExportOpt")->currentWidget()->objectName();
                options->reject();
            }
    };
    QTimer::singleShot(0, closeOptions);
    dialog.ExportClick();
    EXPECT_EQ(dialog.SaveType(), stCsv); // a copy type switches to CSV
    EXPECT_EQ(shownTab, "tabCSV");
    Control<QComboBox>(dialog, "cmbSaveAsType")->setCurrentIndex(stTxt);
    QTimer::singleShot(0, closeOptions);
    dialog.ExportClick();
    EXPECT_EQ(dialog.SaveType(), stTxt);
    EXPECT_EQ(shownTab, "tabText");
    EXPECT_TRUE(dialog.isVisible()); // the save dialog stays open
}

} // namespace

namespace {

TEST_F(SaveDialogTest, TheReportItselfIsRefusedAlsoThroughALink)
{
    ASSERT_TRUE(QFile::link(dir.path("a.srp"), dir.path("link.srp")));
    TfrmSaveReport dialog;
    dialog.SetStartDirectory(dir.path());
    dialog.SetReportFile(dir.path("a.srp"));
    dialog.show();
    const QString folder = QDir(dir.path()).absolutePath();
    for (const char *name : {"a.srp", "./a.srp", "link.srp"}) {
        messages.clear();
        Control<QLineEdit>(dialog, "edtFileName")->setText(name);
        dialog.OkClick();
        EXPECT_EQ(dialog.result(), 0) << name;
        const QString shown = folder + (QLatin1String(name) == "link.srp" ? "/link.srp" : "/a.srp");
        EXPECT_EQ(messages, QStringList({DisplayFormat(9591, {shown})})) << name;
    }
    EXPECT_EQ(dir.read("a.srp"), "x");
}

} // namespace
