#pragma once
// The viewer's main window: the toolbar and the page view in which a report's pages appear
// while it is generated. Print, save, export and graph are handed back to whoever runs the
// report through callbacks; the window holds no report data of its own.
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class TFindBar;
class TPageStore;
class TPageView;
class TPreviewState;
class TThumbnailPanel;
class TPrinterThread;
class TZoomBox;

// Language texts of the viewer's own messages.
inline constexpr int kTextPrintFailed = 9501;
inline constexpr int kTextCannotSave = 9502;

// The directory of the last saved file; empty until something is saved in this run.
QString &LastSaveDirectory();

// What a preview hands back to whoever runs the report.
struct TPreviewHandlers {
    using TSaveCopy = std::function<bool(const QString &file, const QString &progressText, const QString &cancelText)>;
    using TExport = std::function<bool(const QString &file, const QString &clientSettingsFile)>;
    using TSaveDialog = std::function<bool(QWidget *parent, const QString &startDir, QString &file, int &type)>;
    using TOpenDialog = std::function<QString(QWidget *parent, const QString &startDir)>;

    std::function<void(bool showDialog)> OnPrintReport;
    std::function<void()> OnShowGraph;
    TSaveCopy OnSaveCopy;
    TExport OnExport;
    // The pages as a PDF file (save as type 4).
    std::function<void(const QString &file)> OnSavePdf;
    // The pages as a PDF to the mail program; the mail button works only when this is set,
    // xdg-email is there and a page exists.
    std::function<void()> OnSendMail;
    // The save-as dialog: start directory in, chosen file and type number (0 .SRP, 1 .CSV,
    // 2 .QRP, 3 .TXT, 4 .pdf, 5 .xlsx) out; false when cancelled. Unset: the Save button
    // does nothing.
    TSaveDialog SaveDialog;
    // The file-open dialog: start directory in, chosen file out (empty when cancelled).
    TOpenDialog OpenDialog;
};

class TfrmReportPreview : public QMainWindow
{
    Q_OBJECT
public:
    // Entries of the zoom list; a sixth entry shows the zoom in effect.
    enum { kZoom200, kZoom150, kZoom100, kZoomWholePage, kZoomPageWidth, kZoomCurrent };

    TfrmReportPreview(const QString &reportFileName, const QIcon &icon, QWidget *parent = nullptr);
    ~TfrmReportPreview() override;

    // Shows the pages of this store (not owned).
    void SetStore(TPageStore *store);
    // The store whose pages are shown: the report's, or a page file opened since.
    TPageStore *Store() const;

    // Shows the window maximised; ShowModal also waits until it is closed.
    void ShowPreview();
    void ShowModal();

    // Generation progress, told for every record; processes pending events now and then.
    void SetProgress(int percent);
    // End of generation.
    void ReportDone(bool hasGraph);
    void GoToPage(int n);
    // Recomputes which toolbar buttons may be used.
    void UpdateToolbar();

    // Printing, told by the print job.
    void PrintStarted(TPrinterThread *thread);
    void PrintFinished();
    void PrintProgress(int current, int total);
    void PrintFailed(const QString &message);

    // A file the user asked to open next; empty when none.
    QString RequestedFile() const { return m_requestedFile; }
    void ClearRequest() { m_requestedFile.clear(); }

    // The report (or page file) shown; empty for a preview of pages alone.
    const QString &ReportFileName() const { return m_reportFileName; }
    // A dialog or action of the window is running: the other actions wait.
    bool Busy() const { return m_busy; }
    // Every page of the report is there.
    bool ReportFinished() const { return m_reportFinished; }
    bool HasGraph() const { return m_hasGraph; }
    // The window is closing: a report still being read stops.
    bool Closing() const { return m_closing; }
    // No print job of this window is running.
    bool NotPrinting() const { return m_notPrinting; }
    // The zoom kept for portrait and landscape pages (-1: none kept).
    int PortraitZoom() const { return m_portraitZoom; }
    int LandscapeZoom() const { return m_landscapeZoom; }
    // Automatic scrolling waits at the edge of a page before it turns it.
    bool EdgePause() const { return m_edgePause; }
    bool IsScrolling() const { return ScrollTimer.isActive(); }
    int ScrollInterval() const { return ScrollTimer.interval(); }
    // The arrow keys move the zoom list's selection (the list has the focus).
    bool ArrowInZoom() const { return m_arrowInZoom; }

    // What the window hands back to the report's owner; an unset handler makes its button do
    // nothing.
    const TPreviewHandlers &Handlers() const { return m_handlers; }
    void SetOnPrintReport(std::function<void(bool showDialog)> handler);
    void SetOnShowGraph(std::function<void()> handler);
    void SetOnSaveCopy(TPreviewHandlers::TSaveCopy handler);
    void SetOnExport(TPreviewHandlers::TExport handler);
    void SetOnSavePdf(std::function<void(const QString &file)> handler);
    void SetOnSendMail(std::function<void()> handler);
    void SetSaveDialog(TPreviewHandlers::TSaveDialog dialog);
    void SetOpenDialog(TPreviewHandlers::TOpenDialog dialog);

    // The page, zoom, zoom mode and search hits shown; every control follows it.
    TPreviewState *State() const { return m_state; }
    TFindBar *FindBar() const { return m_findBar; }

    // Toolbar actions, as the buttons and keys run them.
    void PageUpClick();
    void PageDownClick();
    void FirstPageClick();
    void LastPageClick();
    void StartScrolling(bool upward);
    void StopScrolling();
    void OpenClick();
    // Opens a report (in a new report form, after this window closes) or a page file, as Open
    // does after its dialog; dropping a file on the window and the recent list come here.
    void OpenFile(const QString &file);
    // An entry of the recent list: a file that is gone is dropped with the not-found message.
    void OpenRecent(const QString &file);
    void SaveClick();
    void MailClick();
    void PrintClick();
    void GraphClick();
    // Opens the find bar (Ctrl+F).
    void FindClick();
    // Shows or hides the thumbnail panel (F4).
    void ThumbnailsClick();
    // Zoom list: a chosen entry, and Enter in the box.
    void ZoomListClick(int index);
    void ZoomEnter();
    // Ctrl+wheel: one step of the zoom ladder in or out; Ctrl+0: back to 100%.
    void ZoomStep(bool in);
    void ZoomTo100();
    void ShowGoToPage();
    // The about box: program name and version.
    void ShowAbout();
    // One tick of automatic scrolling.
    void ScrollTick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildToolbar();
    void updateCaption();
    void onPageAvailable(int count);
    void showPageCounter();
    void applyStoredZoom();
    void refreshZoomList();
    void removeCurrentZoomEntry();
    void leaveZoomBox();
    void moveZoomSelection(int step);
    void updateProgressPanel();
    bool handleKey(QKeyEvent *event);
    void goToTypedPage();
    QString startDirectory() const;
    void openPageFile(const QString &file);
    void storeSettings();

    void onZoomChanged();
    void fillRecentMenu();
    int pageViewTop() const;

    // The window's controls (tests find them by these object names).
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
    QAction *btnFind = nullptr;
    QAction *btnThumbnails = nullptr;
    TThumbnailPanel *pnlThumbnails = nullptr;
    QMenu *mnuRecent = nullptr; // the Open button's drop-down of recent reports
    QWidget *pnlProgress = nullptr;
    QProgressBar *gugProgress = nullptr;
    QLabel *lblPrnProgress = nullptr;
    QComboBox *cmbZoom = nullptr;
    QLabel *pnlPage = nullptr;
    QLineEdit *edtGoToPage = nullptr;
    TPageView *qrPreview = nullptr;

    QString m_reportFileName;
    bool m_busy = false;
    bool m_reportFinished = false;
    bool m_hasGraph = false;
    bool m_closing = false;
    bool m_notPrinting = true;
    int m_portraitZoom = -1;
    int m_landscapeZoom = -1;
    bool m_edgePause = false;
    // Direction of automatic scrolling, shared by every preview of the run.
    static bool ScrollUpward;
    bool m_arrowInZoom = false;
    QTimer ScrollTimer;
    TPreviewHandlers m_handlers;

    TPreviewState *m_state = nullptr;
    TFindBar *m_findBar = nullptr;
    // The zoom box shows each new zoom, except while it is itself applying one.
    bool m_zoomBoxFollows = true;
    // Next was pressed on the last page there was while the report was still being read.
    bool m_waitingForNextPage = false;
    QString m_requestedFile;
    TZoomBox *m_zoomBox = nullptr;
    QAction *m_progressAction = nullptr;
    std::vector<std::unique_ptr<TPageStore>> m_loadedStores;
    QPointer<TPrinterThread> m_printThread;
    qint64 m_lastEventsAt = 0;
    bool m_pageShown = false;
};
