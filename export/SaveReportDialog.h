#pragma once
// The save-as dialog of the preview window: a file name, a folder from a folder list and a
// drive list of the mounted file systems, and the type the report is saved as: a ".SRP"
// copy, a ".CSV" export, the engine's ".QRP" page file or a ".TXT" text-page export. The
// Export button opens the export options on the tab of the chosen type.
#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// Type numbers, in list order.
// PDF and Excel come after the four types of the suite: the project's own additions.
enum TSaveType : int { stSrp = 0, stCsv = 1, stQrp = 2, stTxt = 3, stPdf = 4, stXlsx = 5 };
// The extension of a type, as added to a typed name without one (".SRP", ".CSV", ...).
QString SaveTypeExtension(int type);

class TfrmSaveReport : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSaveReport(QWidget *parent = nullptr);
    ~TfrmSaveReport() override; // puts the process's current directory back

    // The folder shown first (default: the data directory).
    void SetStartDirectory(const QString &directory) { m_startDirectory = directory; }
    // The folder the folder list shows now.
    QString Directory() const { return m_directory; }
    bool SetDirectory(const QString &directory);

    // The report being saved: never accepted as the target (text 9591).
    void SetReportFile(const QString &reportFile) { m_reportFile = reportFile; }
    // The result: the chosen full file name and type number.
    const QString &FileName() const { return m_fileName; }
    int SaveType() const;

    // OK (also Enter and a double click in the file list): checks the typed name; closes
    // with the full name, or stays open (missing folder: text 146; an existing file is
    // replaced only after question 147).
    void OkClick();
    void ExportClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void setTexts();
    void fillDrives();
    void fillFiles();
    void directoryActivated(QListWidgetItem *item);
    void driveChanged(int index);

    // The dialog's controls (tests find them by these object names).
    QLabel *lblFileName = nullptr;
    QLineEdit *edtFileName = nullptr;
    QListWidget *lstFile = nullptr;
    QLabel *lblSaveAsType = nullptr;
    QComboBox *cmbSaveAsType = nullptr;
    QLabel *lblDirectoryName = nullptr;
    QLabel *lblDirectory = nullptr;
    QListWidget *lstDirectory = nullptr;
    QLabel *lblDrives = nullptr;
    QComboBox *cmbDrive = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnExport = nullptr;

    QString m_reportFile;
    QString m_fileName;
    QString m_startDirectory;
    QString m_directory;
    QString m_previousCurrentDirectory;
    bool m_shownOnce = false;
};

// Shows the dialog starting in startDirectory; true with the full file name and type number
// when the user chose one, false when cancelled. The preview window's Save button calls it.
bool RunSaveReportDialog(QWidget *parent, const QString &startDirectory, QString &file, int &type,
                         const QString &reportFile = QString());
