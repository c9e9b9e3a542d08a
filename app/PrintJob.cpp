#include "app/PrintJob.h"

#include "app/PreviewWindow.h"
#include "engine/PageStore.h"
#include "engine/ShapedText.h"
#include "foundation/FontTranslationUi.h"
#include "foundation/DisplayText.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSemaphore>

namespace {

// 96-dpi page pixels to points.
QSizeF pixelsToPoints(const QSize &pixels) { return QSizeF(pixels) * 72.0 / 96.0; }

} // namespace

QString SuggestedPdfName(const QString &title)
{
    QString name = title.simplified();
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("-"));
    if (name.isEmpty())
        name = QStringLiteral("report");
    return QDir::homePath() + QLatin1Char('/') + name + QStringLiteral(".pdf");
}

TVelaPrinter::TVelaPrinter()
    : QPrinter(QPrinter::HighResolution)
{
    setFullPage(true);
}

void TVelaPrinter::PrepareForPages(const TPageStore &store)
{
    QSize size = store.PageCount() > 0 ? store.PageSize(0) : QSize(794, 1123);
    if (size.isEmpty())
        size = QSize(794, 1123);
    const bool landscape = store.Orientation() == TPageOrientation::Landscape || size.width() > size.height();
    const QSizeF points = pixelsToPoints(size.transposed().width() < size.width() ? size.transposed() : size);
    const QPageSize pageSize(points, QPageSize::Point, QString(), QPageSize::FuzzyMatch);
    setPageLayout(QPageLayout(pageSize, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                              QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    setFullPage(true);
    if (!store.Title().isEmpty())
        setDocName(store.Title());
}

bool TVelaPrinter::SetupFromDialog(QWidget *owner, const TPageStore &store)
{
    const int count = store.PageCount();
    SetPageRange(1, count);
    PrepareForPages(store);
    // Without a system printer the dialog offers only a PDF file: suggest a file name rather
    // than a bare folder.
    if (QPrinterInfo::availablePrinterNames().isEmpty() && outputFileName().isEmpty())
        setOutputFileName(SuggestedPdfName(store.Title()));
    QPrintDialog dialog(this, owner);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange
                      | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, qMax(1, count));
    TranslateFormFonts(&dialog);
    m_printDialog = &dialog;
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_printDialog = nullptr;
    if (!accepted)
        return false;
    if (printRange() == QPrinter::PageRange && fromPage() > 0) {
        const int first = qBound(1, fromPage(), count);
        SetPageRange(first, qBound(first, toPage() > 0 ? toPage() : count, count));
    }
    // The dialog may have changed paper and orientation; the page is stretched onto whatever
    // paper was chosen, without margins.
    setFullPage(true);
    return true;
}

TPrinterThread::TPrinterThread(std::unique_ptr<TRVPrinter> job, const TPageStore &engine, QObject *parent)
    : QThread(parent)
    , m_job(std::move(job))
    , m_engine(&engine)
{
}

TPrinterThread::~TPrinterThread()
{
    m_stop = true;
    wait();
}

void TPrinterThread::StopAndWait()
{
    m_stop = true;
    wait();
}

// Pages are read on the thread that owns the store, whatever the store keeps them in.
bool TPrinterThread::fetchPage(int index, TPage &page)
{
    auto *store = const_cast<TPageStore *>(m_engine);
    if (store->thread() == QThread::currentThread()) {
        page = store->Page(index);
        return true;
    }
    struct Request {
        QSemaphore done;
        TPage page;
    };
    auto request = std::make_shared<Request>();
    QMetaObject::invokeMethod(store, [request, store, index] {
        request->page = store->Page(index);
        request->done.release();
    }, Qt::QueuedConnection);
    while (!request->done.tryAcquire(1, 20))
        if (m_stop)
            return false;
    page = std::move(request->page);
    return true;
}

void TPrinterThread::run()
{
    if (m_stop || !m_job)
        return;
    TVelaPrinter &printer = *m_job->Printer;
    const int first = qMax(1, m_job->FirstPage);
    const int last = qMin(m_job->LastPage, m_engine->PageCount());
    if (last < first)
        return;
    // Printers that cannot make copies themselves (the PDF writer) get every copy from us.
    const int copies = printer.supportsMultipleCopies() ? 1 : qMax(1, printer.copyCount());
    m_pageTotal = (last - first + 1) * copies;
    if (!m_engine->Title().isEmpty())
        printer.setDocName(m_engine->Title());

    const QString target = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
    QPainter painter;
    if (!painter.begin(&printer)) {
        emit PrintFailed(DisplayFormat(kTextPrintFailed, {target}));
        return;
    }
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    m_currentPage = 1;
    bool firstSheet = true;
    TShapedTextCache texts; // the same texts on every page are laid out once

    for (int copy = 0; copy < copies && !m_stop; ++copy) {
        for (int i = first; i <= last && !m_stop; ++i) {
            TPage page;
            if (!fetchPage(i - 1, page))
                break;
            if (!firstSheet && !printer.newPage()) {
                m_stop = true;
                break;
            }
            firstSheet = false;
            // Stretched onto the whole sheet.
            const QRect sheet(0, 0, printer.width(), printer.height());
            painter.save();
            if (!page.size.isEmpty())
                painter.scale(qreal(sheet.width()) / page.size.width(), qreal(sheet.height()) / page.size.height());
            PaintPrimitives(page, *m_engine, painter, &texts);
            painter.restore();
            emit PagePrinted(m_currentPage, m_pageTotal);
            if (m_currentPage < m_pageTotal)
                ++m_currentPage;
        }
    }
    if (m_stop) {
        printer.abort();
        painter.end();
        // A file of some of the pages is no print: nothing half-done is left behind.
        if (printer.outputFormat() == QPrinter::PdfFormat && !target.isEmpty())
            QFile::remove(target);
        return;
    }
    if (!painter.end()) {
        emit PrintFailed(DisplayFormat(kTextPrintFailed, {target}));
        return;
    }
    m_succeeded = true;
}

TPrinterThread *StartPrintJob(TfrmReportPreview &preview, std::unique_ptr<TRVPrinter> job)
{
    TPageStore *store = preview.Store();
    if (!store)
        return nullptr;
    job->FirstPage = job->Printer->FromPage();
    job->LastPage = job->Printer->ToPage();
    auto *thread = new TPrinterThread(std::move(job), *store, &preview);
    QObject::connect(thread, &TPrinterThread::PagePrinted, &preview, &TfrmReportPreview::PrintProgress, Qt::QueuedConnection);
    QObject::connect(thread, &TPrinterThread::PrintFailed, &preview, &TfrmReportPreview::PrintFailed, Qt::QueuedConnection);
    QObject::connect(thread, &QThread::finished, &preview, [&preview, thread] {
        preview.PrintFinished();
        thread->deleteLater();
    });
    preview.PrintStarted(thread);
    thread->start();
    return thread;
}

bool PrintReport(TfrmReportPreview &preview, bool showDialog)
{
    TPageStore *store = preview.Store();
    if (!store || store->PageCount() == 0)
        return false;
    auto job = std::make_unique<TRVPrinter>();
    if (showDialog) {
        if (!job->Printer->SetupFromDialog(&preview, *store))
            return false;
    } else {
        job->Printer->PrepareForPages(*store);
        job->Printer->SetPageRange(1, store->PageCount());
    }
    return StartPrintJob(preview, std::move(job)) != nullptr;
}
