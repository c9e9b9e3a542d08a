#pragma once
// Printing the pages the preview already shows: the print dialog, and a worker thread that
// plays the stored pages onto the printer while the preview stays usable. The report is not
// generated again for printing.
#include "engine/Page.h"

#include <QPrinter>
#include <QThread>
#include <atomic>
#include <memory>

class QPrintDialog;
class QWidget;
class TPageStore;
class TfrmReportPreview;

// A PDF file name in the home folder for a report of that title.
QString SuggestedPdfName(const QString &title);

// A printer of its own for each job, so that the chosen printer, page range and settings do
// not change the defaults of the next job.
class TVelaPrinter : public QPrinter
{
public:
    TVelaPrinter();

    // Paper size and orientation of the pages, no margins: a page fills the paper as it
    // filled the page in the preview.
    void PrepareForPages(const TPageStore &store);
    // Shows the print dialog (page range 1 .. page count, copies, print to a file); true when
    // the user confirmed it. FromPage/ToPage then hold the range to print.
    bool SetupFromDialog(QWidget *owner, const TPageStore &store);

    int FromPage() const { return m_fromPage; }
    int ToPage() const { return m_toPage; }
    void SetPageRange(int fromPage, int toPage)
    {
        m_fromPage = fromPage;
        m_toPage = toPage;
    }
    // The print dialog while SetupFromDialog shows it, else null.
    QPrintDialog *PrintDialog() const { return m_printDialog; }

private:
    int m_fromPage = 1;
    int m_toPage = 0;
    QPrintDialog *m_printDialog = nullptr;
};

// One print job: its printer and the range of pages (1-based, inclusive).
struct TRVPrinter {
    TRVPrinter() : Printer(std::make_unique<TVelaPrinter>()) {}
    std::unique_ptr<TVelaPrinter> Printer;
    int FirstPage = 1;
    int LastPage = 0;
};

class TPrinterThread : public QThread
{
    Q_OBJECT
public:
    // The thread owns the job; the store must outlive the thread.
    TPrinterThread(std::unique_ptr<TRVPrinter> job, const TPageStore &engine, QObject *parent = nullptr);
    ~TPrinterThread() override;

    // Asks the job to end at the next page boundary; the document is then aborted.
    void Stop() { m_stop = true; }
    bool StopRequested() const { return m_stop; }
    void StopAndWait();

    // Page of the job being printed (1-based) and the number of pages in the job.
    int CurrentPage() const { return m_currentPage; }
    int PageTotal() const { return m_pageTotal; }
    // After the thread ended: the job printed every page.
    bool Succeeded() const { return m_succeeded; }

signals:
    void PagePrinted(int current, int total);
    void PrintFailed(const QString &message);

protected:
    void run() override;

private:
    bool fetchPage(int index, TPage &page);

    std::unique_ptr<TRVPrinter> m_job;
    const TPageStore *m_engine;
    std::atomic<int> m_currentPage{0};
    std::atomic<int> m_pageTotal{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_succeeded{false};
};

// Print with the dialog (or with the printer's defaults): starts a job for the pages the
// preview shows and returns whether one was started.
bool PrintReport(TfrmReportPreview &preview, bool showDialog);
// Starts a job that is already set up; the preview shows its progress. Returns the thread,
// which deletes itself when it has ended.
TPrinterThread *StartPrintJob(TfrmReportPreview &preview, std::unique_ptr<TRVPrinter> job);
