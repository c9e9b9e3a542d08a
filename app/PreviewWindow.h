#pragma once
// The viewer's main window: the toolbar and page area in which a report's pages are shown.
#include <QMainWindow>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QScrollArea;

class TfrmReportPreview : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmReportPreview(const QString &reportFileName, const QIcon &icon, QWidget *parent = nullptr);

    // Shows the window and returns when it is closed.
    void ShowModal();

    // A file the user asked to open next; empty when none.
    QString RequestedFile() const { return m_requestedFile; }
    void ClearRequest() { m_requestedFile.clear(); }

    QString ReportFileName;
    bool Busy = false;
    bool ReportFinished = false;
    bool HasGraph = false;
    bool Closing = false;

    QAction *btnPageUp = nullptr;
    QAction *btnPageDown = nullptr;
    QAction *btnScrollUp = nullptr;
    QAction *btnScrollStop = nullptr;
    QAction *btnScrollDown = nullptr;
    QAction *btnFirstPage = nullptr;
    QAction *btnLastPage = nullptr;
    QAction *btnGraph = nullptr;
    QAction *btnPrint = nullptr;
    QAction *btnOpen = nullptr;
    QAction *btnSave = nullptr;
    QAction *btnMail = nullptr;
    QAction *btnClose = nullptr;
    QComboBox *cmbZoom = nullptr;
    QLabel *pnlPage = nullptr;
    QProgressBar *gugProgress = nullptr;
    QScrollArea *qrPreview = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void openReport();

    QString m_requestedFile;
};
