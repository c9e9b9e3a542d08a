#pragma once
// The run of a report through the engine: when each band prints (the engine's events), the
// data band's shading, section breaks, page columns and the flags that carry the run from one
// band to the next. The form hands it the records that steer the run; the page header and
// the body layout hold what the bands show.
#include "engine/ReportEngine.h"
#include "foundation/Colors.h"
#include "report/ReportLimits.h"
#include "report/RunResult.h"

#include <QByteArray>

class TBodyLayout;
class TPageHeader;
struct TReportPage;

// Where the run stands between bands, as plain values.
struct TRunFlags {
    bool SectionBreakPending = false; // record 590 came: the next row starts a new page
    bool RestartPagesAtBreak = false; // and numbers pages from 1 again (record 803)
    bool HeaderInProgress = false;    // the user-defined header block is on the page
    bool UserDefHeaderDue = true;
    bool TitlesDue = true;
    bool ReportFooterDue = false;
    int ShadeCounter = -1;
    bool BlankFormPassDue = false;    // a blank form prints one empty data row
    int PageColumns = 1;              // record 907
};

class TReportRun : public TReportEvents
{
public:
    TReportRun(TReportPage &page, TBodyLayout &body, TPageHeader &header);
    TReportRun(const TReportRun &) = delete;
    TReportRun &operator=(const TReportRun &) = delete;

    // Back to one page column and no section break pending.
    void Reset();
    // A run starts: the header block and the titles are due on its first page; a blank form
    // (no report) prints one empty row.
    void Prepare(bool blankForm);
    // Acts on a record that steers the run (section end, page columns, end of report, page
    // numbers from 1 again); false when the code is not one of them.
    bool Dispatch(int code, const QByteArray &rest);
    // The record being acted on: a data record lets the data band print, a totals record the
    // totals band.
    void SetRecordCode(int code) { m_recordCode = code; }
    // A data or totals row comes: a pending section break happens first.
    void BeforeRow();

    // Generation through this engine: page set-up with the page columns, shading from the
    // start. The page header is told of the engine too.
    void Begin(TReportEngine &engine);
    // The blank form's empty row.
    void PrintBlankRow();
    // The data band's turn after a record (it prints only for a data record).
    void PrintRow();
    // The last page is closed and the engine let go.
    void End();

    const TRunFlags &Flags() const { return m_flags; }

private:
    void StartPage() override;
    bool BeforePrint(TBand &band) override;
    void AfterPrint(TBand &band, bool printed) override;
    void ShadeDataRow();
    void DoSectionEnd();
    void DoEndOfReport();
    void DoPageColumns(QByteArray rest);
    void HandleSectionBreak();
    void FooterChanged();

    TReportPage &m_page;
    TBodyLayout &m_body;
    TPageHeader &m_header;
    TReportEngine *m_engine = nullptr;
    TRunFlags m_flags;
    int m_recordCode = 0;
    TColor m_shadeNow = kDefaultShadeColour;
    bool m_blankPass = false;
    bool m_reportEnded = false;
};
