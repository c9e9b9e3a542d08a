#pragma once
// The report form: reads a saved report's record stream and turns it into a banded page
// layout. It is not a window; the preview window shows the pages it produces.
#include "engine/Band.h"
#include "engine/PageSetup.h"
#include "engine/ReportEngine.h"
#include "report/BodyLayout.h"
#include "report/HeaderFooter.h"
#include "report/ReportLimits.h"
#include "report/ReportPage.h"
#include "report/ReportRun.h"
#include "report/SrpReader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class TPageStore;
class TProgressSink;
class TTextMeasurer;

enum class TOrientation { Portrait, Landscape };

class TfrmReport : private TReportEvents
{
public:
    TfrmReport(const QString &fileName, const QString &userName);
    ~TfrmReport() override;
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
    void WritePageHeaderRecords();
    QList<QByteArray> SavedStyleRecords;
    QList<QByteArray> SavedHeaderRecords;

    // Text measurement (the real fonts unless a test gives another).
    void SetTextMeasurer(const TTextMeasurer *measurer) { m_page.Measurer = measurer; }
    const TTextMeasurer &Measurer() const { return *m_page.Measurer; }

    const QString &FileName() const { return m_fileName; }
    const QString &UserName() const { return m_userName; }

    // Header line values.
    bool Scrambled = false;
    QByteArray ReportAuthor;
    int RequiredViewerVersion = 1;
    QByteArray StoredHeaderLine;

    TOrientation Orientation = TOrientation::Portrait;
    bool HasGraph = false;
    bool IsTrafficGraph = false;

    // ---- Page set-up and the body layout ----
    const TPageSetup &PageSetup() const { return m_page.PageSetup; }
    int PrintableWidth() const { return m_page.PrintableWidth; }
    bool RightToLeft() const { return m_page.RightToLeft; }
    TBodyLayout &Body() { return m_body; }
    const TBodyLayout &Body() const { return m_body; }
    int PageColumns = 1;

    // ---- Bands, in printing order ----
    TBand bndHeaderInfo{"bndHeaderInfo", TBandKind::PageHeader};
    TBand bndSubHeaderInfo{"bndSubHeaderInfo", TBandKind::Child};
    TBand bndUserHeader{"bndUserHeader", TBandKind::Child};
    TBand bndUserDefHeader{"bndUserDefHeader", TBandKind::Child};
    TBand bndReportHeader{"bndReportHeader", TBandKind::Child};
    TBand bndSubHeader{"bndSubHeader", TBandKind::Child};
    // bndTitles, bndFields and bndTotals belong to the body layout.
    TBand bndReportFooter{"bndReportFooter", TBandKind::Child};
    TBand bndFooterInfo{"bndFooterInfo", TBandKind::PageFooter};
    TBand bndFooterInfo2{"bndFooterInfo2", TBandKind::Child};

    // ---- Page header, footer and page numbers ----
    bool BuildPageHeader = true;
    QString LogoFileName;
    QString LogoExt = QStringLiteral(".bmp");
    bool UserHeaderOn = false;
    bool SubHeaderInfoOn = false;
    char UserHeaderRepeat = 0;
    char SubHeaderRepeat = '0';
    int ReportHeaderLines = 0;
    int UserHeaderLines = 0;
    int SubHeaderInfoLines = 0;
    int ReportFooterLines = 0;
    struct TSubHeaderItem {
        int Row = 0;
        int Column = 0;
        int Style = 2;
        TBandItem *Label = nullptr;
    };
    QList<TSubHeaderItem> SubHeaderItems;
    std::array<int, kMaxSubHeaderItems + 1> SubHeaderWidths{};
    TUserDefinedBlocks UserDefBlocks; // HeaderBlock, FooterBlock and the repeat letter
    THeaderFooter &HeaderBlock = UserDefBlocks.Header;
    THeaderFooter &FooterBlock = UserDefBlocks.Footer;
    char UserDefRepeat() const { return UserDefBlocks.Repeat; }
    int PageCounter = 0;
    QString PageNumberFormat;
    int FooterBandHeight = 0;
    TBandItem *lblPageNumber = nullptr;
    TBandItem *mmoHeader = nullptr;
    TBandItem *mmoFooter = nullptr;
    TBandItem *mmoFooter1 = nullptr;
    TBandItem *HeaderRule = nullptr; // rule line under the settings header
    TBandItem *FooterRule = nullptr;

    // ---- Run state ----
    bool SectionBreakPending = false;
    bool RestartPagesAtBreak = false;
    bool HeaderInProgress = false;
    bool UserDefHeaderDue = true;
    bool TitlesDue = true;
    bool ReportFooterDue = false;
    int ShadeCounter = -1;
    bool BlankFormPassDue = false;

    void BuildPageHeaderFromSettings();

protected:
    // Resets the layout model.
    void ResetLayout();
    void ApplyOrientation(QByteArray rest);

private:
    // Header, footer and page-number records.
    void DoTextLine(TBand &band, int &counter, int maxLines, QByteArray rest);
    void DoReplaceReportHeaderLine(QByteArray rest);
    void ClearTextBand(TBand &band, int &counter);
    void DoSubHeaderInfoLine(QByteArray rest);
    void DoSubHeaderWidths(QByteArray rest);
    void DoSubHeaderCell(QByteArray rest);
    void LayoutSubHeader();
    void DoClearSubHeader();
    void DoUserDefRecord(int code, const QByteArray &rest);
    void ApplyBlockStyle(TBandItem &memo, const THeaderFooter &block);
    void DoFooterLine(QByteArray rest);
    void PlaceBlock(TBandItem &memo, THeaderFooter &block);
    void DoPageNumberOn(QByteArray rest);
    void DoPageHeaderItem(QByteArray rest, bool preRead);
    void ReadEmbeddedLogo(QByteArray rest, bool preRead);
    // Acts on a record. In pre-read mode a data or totals record is held back.
    void DispatchRecord(int code, const QByteArray &rest, bool preRead);
    // The need-data loop's step: one record, then the detail band's turn.
    void PrintRecord(int code, const QByteArray &rest);
    void DoPageColumns(QByteArray rest);
    void DoSectionEnd();
    void DoEndOfReport();

    void CreateHeaderControls();
    void ResetHeaders();
    TBandItem &AddHeaderLabel(TBand &band, const QString &caption, const TFontSpec &font, TAlignment alignment);

    // Engine events.
    void StartPage() override;
    bool BeforePrint(TBand &band) override;
    void AfterPrint(TBand &band, bool printed) override;
    void HandleSectionBreak();

    QString m_fileName;
    QString m_userName;
    std::unique_ptr<TSrpReader> m_reader;
    // The record being acted on, and the data or totals record the pre-read held back (it
    // may have no fields at all).
    int m_recordCode = 0;
    QByteArray m_pendingRecord;
    int m_pendingCode = 0;
    bool m_hasPendingRecord = false;
    std::function<void(int, const QByteArray &)> m_recordWatcher;
    // Where the page store keeps its spill file: the system's temporary folder when it is
    // writable, else the current one.
    QString m_temporaryFolder;
    TReportPage m_page;
    TBodyLayout m_body{m_page};
    TReportEngine *m_engine = nullptr;
    TColor m_shadeNow = kDefaultShadeColour;
    bool m_blankPass = false;
    bool m_reportEnded = false;
};

// Record 912 kind 3 / 914: the picture of an embedded or settings logo, by its extension:
// JPEG through libjpeg, other formats through QImage. Null when it is not a valid picture.
QImage LoadLogoPicture(const QString &fileName);
