#pragma once
// The export options dialog: delimiter, quotes and headers of CSV files, page breaks and
// paging of text pages, visual DOS Hebrew and data only for both. Reads and writes section
// [export] of CLIENT.PAR in the program directory.
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
struct TExportOptions;

// Which tab the save-as dialog opens the options on; kept for the whole run.
enum class TExportTab { CSV, Text };
TExportTab &ExportTabSelector();

class TfrmExportOpt : public QDialog
{
    Q_OBJECT
public:
    // Loads the options from settingsPath (default: CLIENT.PAR in the program directory) and
    // shows the tab of ExportTabSelector(). The caller shows it with exec().
    explicit TfrmExportOpt(QWidget *parent = nullptr, const QString &settingsPath = QString());

    // OK: checks the lines per page (text 180), saves the options and closes.
    void OkClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void setTexts();
    void loadOptions(const TExportOptions &options);
    void delimiterClick();
    void pagingClick();
    void dataOnlyClick();
    void includeHeaderClick();

    // The dialog's controls (tests find them by these object names).
    QCheckBox *chkAsciiDos = nullptr;
    QCheckBox *chkDataOnly = nullptr;
    QTabWidget *pagExportOpt = nullptr;
    QWidget *tabCSV = nullptr;
    QWidget *tabText = nullptr;
    QGroupBox *grpDelimeter = nullptr;
    QRadioButton *radTab = nullptr;
    QRadioButton *radComma = nullptr;
    QRadioButton *radSpace = nullptr;
    QRadioButton *radOther = nullptr;
    QLineEdit *edtDelimiter = nullptr;
    QGroupBox *grpOptions = nullptr;
    QCheckBox *chkQuotes = nullptr;
    QCheckBox *chkIncludeSummaryLine = nullptr;
    QCheckBox *chkIncludeHeader = nullptr;
    QRadioButton *rbIncludeFieldsHeader = nullptr;
    QRadioButton *rbIncludeReportHeader = nullptr;
    QGroupBox *grpPageBreak = nullptr;
    QRadioButton *radNone = nullptr;
    QRadioButton *radEmptyLine = nullptr;
    QRadioButton *radFF = nullptr;
    QGroupBox *grpPaging = nullptr;
    QRadioButton *radContinious = nullptr;
    QRadioButton *radLinesInPage = nullptr;
    QLineEdit *edtLinesInPage = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    QString m_settingsPath;
};
