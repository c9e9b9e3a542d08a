#pragma once
// The page header and footer of a report: the header built from the settings (logo, company
// lines, date and time, rules) or brought by the report (records 912 and 914), the text bands
// above the body (sub-header info, user header, report header, column-group sub-header), the
// user-defined header and footer blocks, the report footer and the page numbers. Records and
// settings go in; the bands the engine prints come out. The run decides when each prints.
#include "engine/Band.h"
#include "report/HeaderFooter.h"
#include "report/ReportLimits.h"
#include "report/ReportPage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class TBodyLayout;
class TReportEngine;

// What the header records and the settings set, as plain values.
struct TPageHeaderSettings {
    bool BuildPageHeader = true; // from the settings, until the report brings its own (912)
    QString LogoFileName;        // the settings' logo, once it was shown
    QString LogoExt = QStringLiteral(".bmp"); // record 914: the embedded logo's file type
    bool UserHeaderOn = false;
    bool SubHeaderInfoOn = false;
    char UserHeaderRepeat = 0;
    char SubHeaderRepeat = '0';
    int ReportHeaderLines = 0;
    int UserHeaderLines = 0;
    int SubHeaderInfoLines = 0;
    int ReportFooterLines = 0;
    QString PageNumberFormat;
    int FooterBandHeight = 0; // the page footer's height with the user-defined footer block
};

// A record of the stream, as the header reads past a logo's data.
struct THeaderRecord {
    int Code = 0;
    QByteArray Rest;
};
// Reads the next record of the stream into the argument; false at its end.
using TReadNextRecord = std::function<bool(THeaderRecord &)>;

class TPageHeader
{
public:
    // One cell of the column-group sub-header (record 207).
    struct TSubHeaderItem {
        int Row = 0;
        int Column = 0;
        int Style = 2;
        TBandItem *Label = nullptr;
    };

    // Text styles come from the body's fonts; sizes and direction from the page.
    TPageHeader(TReportPage &page, const TBodyLayout &body);
    TPageHeader(const TPageHeader &) = delete;
    TPageHeader &operator=(const TPageHeader &) = delete;

    // Back to no header, footer or page numbers.
    void Reset();
    // Acts on a header, footer or page-number record; false when the code is not one of them.
    // Record 912 is not among them: see DoPageHeaderItem.
    bool Dispatch(int code, const QByteArray &rest);
    // Record 912. A logo's data continues in the records that follow, read through next; the
    // first record that is not part of it is returned for the caller to act on.
    std::optional<THeaderRecord> DoPageHeaderItem(QByteArray rest, const TReadNextRecord &next);
    // The page header from the settings, then its records written back.
    void BuildFromSettings(bool scrambled);
    // The page header and text styles as records (scrambled like the file) for a saved copy.
    void WriteRecords(bool scrambled);

    // The engine of the run in progress (null between runs): told when the footer's height
    // changes.
    void AttachEngine(TReportEngine *engine) { m_engine = engine; }
    // Where an embedded logo's picture file goes when the data folder is not writable.
    void SetTemporaryFolder(const QString &folder) { m_temporaryFolder = folder; }

    // ---- What the run does to the bands ----
    // A section starts: the bands that repeat per section print again.
    void SectionBreak();
    void RestartPageNumbers() { m_pageCounter = 0; }
    // The next page number goes on the page-number label.
    void NumberPage();
    // The user-defined header block on its band, which grows to hold it.
    void PlaceHeaderBlock();
    void PlaceFooterBlock();
    void ClearFooterBlock();
    // The user-defined footer block in the report footer, or nothing there.
    void PlaceReportFooterBlock();
    void ClearReportFooterBlock();
    // The page footer is measured again by the engine of a run in progress.
    void FooterChanged();

    const TPageHeaderSettings &Settings() const { return m_settings; }
    const THeaderFooter &HeaderBlock() const { return m_blocks.Header(); }
    const THeaderFooter &FooterBlock() const { return m_blocks.Footer(); }
    char UserDefRepeat() const { return m_blocks.Repeat(); }
    int PageCounter() const { return m_pageCounter; }
    const QList<TSubHeaderItem> &SubHeaderItems() const { return m_subHeaderItems; }
    const QList<QByteArray> &SavedStyleRecords() const { return m_savedStyleRecords; }
    const QList<QByteArray> &SavedHeaderRecords() const { return m_savedHeaderRecords; }

    // ---- Bands, in printing order, and their controls ----
    TBand &bndHeaderInfo() { return m_bndHeaderInfo; }
    TBand &bndSubHeaderInfo() { return m_bndSubHeaderInfo; }
    TBand &bndUserHeader() { return m_bndUserHeader; }
    TBand &bndUserDefHeader() { return m_bndUserDefHeader; }
    TBand &bndReportHeader() { return m_bndReportHeader; }
    TBand &bndSubHeader() { return m_bndSubHeader; }
    TBand &bndReportFooter() { return m_bndReportFooter; }
    TBand &bndFooterInfo() { return m_bndFooterInfo; }
    TBand &bndFooterInfo2() { return m_bndFooterInfo2; }
    const TBand &bndHeaderInfo() const { return m_bndHeaderInfo; }
    const TBand &bndSubHeaderInfo() const { return m_bndSubHeaderInfo; }
    const TBand &bndUserHeader() const { return m_bndUserHeader; }
    const TBand &bndUserDefHeader() const { return m_bndUserDefHeader; }
    const TBand &bndReportHeader() const { return m_bndReportHeader; }
    const TBand &bndSubHeader() const { return m_bndSubHeader; }
    const TBand &bndReportFooter() const { return m_bndReportFooter; }
    const TBand &bndFooterInfo() const { return m_bndFooterInfo; }
    const TBand &bndFooterInfo2() const { return m_bndFooterInfo2; }
    const TBandItem &lblPageNumber() const { return *m_lblPageNumber; }
    const TBandItem &mmoHeader() const { return *m_mmoHeader; }
    const TBandItem &mmoFooter() const { return *m_mmoFooter; }
    const TBandItem &mmoFooter1() const { return *m_mmoFooter1; }
    const TBandItem *HeaderRule() const { return m_headerRule; } // null until built from the settings
    const TBandItem &FooterRule() const { return *m_footerRule; }

private:
    void CreateControls();
    TBandItem &AddHeaderLabel(TBand &band, const QString &caption, const TFontSpec &font, TAlignment alignment);
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
    void DoPageNumberOff();
    std::optional<THeaderRecord> ReadEmbeddedLogo(QByteArray rest, const TReadNextRecord &next);

    TReportPage &m_page;
    const TBodyLayout &m_body;
    TReportEngine *m_engine = nullptr;
    QString m_temporaryFolder;
    TPageHeaderSettings m_settings;
    TUserDefinedBlocks m_blocks; // the header and footer blocks and their repeat letter
    QList<TSubHeaderItem> m_subHeaderItems;
    std::array<int, kMaxSubHeaderItems + 1> m_subHeaderWidths{};
    int m_pageCounter = 0;
    QList<QByteArray> m_savedStyleRecords;
    QList<QByteArray> m_savedHeaderRecords;

    TBand m_bndHeaderInfo{"bndHeaderInfo", TBandKind::PageHeader};
    TBand m_bndSubHeaderInfo{"bndSubHeaderInfo", TBandKind::Child};
    TBand m_bndUserHeader{"bndUserHeader", TBandKind::Child};
    TBand m_bndUserDefHeader{"bndUserDefHeader", TBandKind::Child};
    TBand m_bndReportHeader{"bndReportHeader", TBandKind::Child};
    TBand m_bndSubHeader{"bndSubHeader", TBandKind::Child};
    TBand m_bndReportFooter{"bndReportFooter", TBandKind::Child};
    TBand m_bndFooterInfo{"bndFooterInfo", TBandKind::PageFooter};
    TBand m_bndFooterInfo2{"bndFooterInfo2", TBandKind::Child};
    TBandItem *m_lblPageNumber = nullptr;
    TBandItem *m_mmoHeader = nullptr;
    TBandItem *m_mmoFooter = nullptr;
    TBandItem *m_mmoFooter1 = nullptr;
    TBandItem *m_headerRule = nullptr; // rule line under the settings header
    TBandItem *m_footerRule = nullptr;
};
