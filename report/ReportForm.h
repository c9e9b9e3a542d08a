#pragma once
// The report form: reads a saved report's record stream and turns it into a banded page
// layout. It is not a window; the preview window shows the pages it produces. It keeps the
// reader and hands each record to the part it belongs to: the body layout, the page header
// or the run.
#include "engine/PageSetup.h"
#include "report/BodyLayout.h"
#include "report/PageHeader.h"
#include "report/ReportPage.h"
#include "report/ReportRun.h"
#include "report/SrpReader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class TPageStore;
class TProgressSink;
class TTextMeasurer;

enum class TOrientation { Portrait, Landscape };

class TfrmReport
{
public:
    TfrmReport(const QString &fileName, const QString &userName);
    ~TfrmReport();
    TfrmReport(const TfrmReport &) = delete;
    TfrmReport &operator=(const TfrmReport &) = delete;

    // Reads the header line and the orientation record, then resets the layout model. False
    // when the file cannot be opened.
    bool LoadReport();
    // Acts on one record as the need-data loop does (print time).
    void Dispatch(int code, const QByteArray &rest) { DispatchRecord(code, rest, false); }
    // A record written back as a line, scrambled when the report is.
    QByteArray RecordLine(int code, const QByteArray &rest) const;
    // Told every record the need-data loop acts on, the held-back one first.
    void SetRecordWatcher(std::function<void(int code, const QByteArray &rest)> watcher)
    {
        m_recordWatcher = std::move(watcher);
    }

    using TRunStart = ::TRunStart;
    // The start of a report run (before generation): the temporary folder, the version gate
    // (text 152), the pre-read up to the first data or totals record (text 5237 when there is
    // none), the page header from the settings and the boxed grid. The result carries the
    // message for the caller to show. A blank form (no file name) is always Ready.
    TRunStartResult StartRun(TProgressSink *progress = nullptr);
    // The need-data loop: reads the rest of the report, one record per detail step, and adds
    // pages to the store as they are completed. Reports progress per record and stops when
    // the observer is cancelled. At the end the file is closed, the store marked finished and
    // the observer told (ReportDone with HasGraph). Call after StartRun.
    void GeneratePages(TPageStore &store, TReportRunObserver &observer);
    void EndRun();

    // The page header and text styles as records (scrambled like the file), as the header
    // was last built; the save-as copy writes them. Filled by WritePageHeaderRecords, which
    // GeneratePages calls once the header is built.
    void WritePageHeaderRecords() { m_header.WriteRecords(m_scrambled); }
    const QList<QByteArray> &SavedStyleRecords() const { return m_header.SavedStyleRecords(); }
    const QList<QByteArray> &SavedHeaderRecords() const { return m_header.SavedHeaderRecords(); }

    // Text measurement (the real fonts unless a test gives another).
    void SetTextMeasurer(const TTextMeasurer *measurer) { m_page.Measurer = measurer; }
    const TTextMeasurer &Measurer() const { return *m_page.Measurer; }

    const QString &FileName() const { return m_fileName; }
    const QString &UserName() const { return m_userName; }

    // Header line values.
    bool Scrambled() const { return m_scrambled; }
    const QByteArray &ReportAuthor() const { return m_reportAuthor; }
    int RequiredViewerVersion() const { return m_requiredViewerVersion; }
    const QByteArray &StoredHeaderLine() const { return m_storedHeaderLine; }

    TOrientation Orientation() const { return m_orientation; }
    // The report draws a graph (record 700), unless its first row is a totals row.
    bool HasGraph() const { return m_hasGraph; }
    bool IsTrafficGraph() const { return m_isTrafficGraph; }

    // ---- Page set-up and the body layout ----
    const TPageSetup &PageSetup() const { return m_page.PageSetup; }
    int PrintableWidth() const { return m_page.PrintableWidth; }
    bool RightToLeft() const { return m_page.RightToLeft; }
    TBodyLayout &Body() { return m_body; }
    const TBodyLayout &Body() const { return m_body; }

    // ---- The page header, footer and page numbers ----
    TPageHeader &Header() { return m_header; }
    const TPageHeader &Header() const { return m_header; }

    // ---- The run: when each band prints, section breaks, page columns ----
    const TReportRun &Run() const { return m_run; }

protected:
    // Resets the layout model.
    void ResetLayout();
    void ApplyOrientation(QByteArray rest);

private:
    // Acts on a record. In pre-read mode a data or totals record is held back.
    void DispatchRecord(int code, const QByteArray &rest, bool preRead);
    // The need-data loop's step: one record, then the detail band's turn.
    void PrintRecord(int code, const QByteArray &rest);

    QString m_fileName;
    QString m_userName;
    bool m_scrambled = false;
    QByteArray m_reportAuthor;
    int m_requiredViewerVersion = 1;
    QByteArray m_storedHeaderLine;
    TOrientation m_orientation = TOrientation::Portrait;
    bool m_hasGraph = false;
    bool m_isTrafficGraph = false;
    std::unique_ptr<TSrpReader> m_reader;
    // The data or totals record the pre-read held back (it may have no fields at all).
    QByteArray m_pendingRecord;
    int m_pendingCode = 0;
    bool m_hasPendingRecord = false;
    std::function<void(int, const QByteArray &)> m_recordWatcher;
    // Where the page store keeps its spill file: the system's temporary folder when it is
    // writable, else the current one.
    QString m_temporaryFolder;
    TReportPage m_page;
    TBodyLayout m_body{m_page};
    TPageHeader m_header{m_page, m_body};
    TReportRun m_run{m_page, m_body, m_header};
};
