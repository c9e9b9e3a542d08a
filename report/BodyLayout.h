#pragma once
// The tabular body of a report: up to 30 columns with title, data and total cells, the text
// styles, the table styles, and the three bands that print them (titles, data row, totals).
// Body records (101-107, 200-206, 300-303, 900-911) change it; the run prints its bands.
#include "engine/Band.h"
#include "foundation/FontSpec.h"
#include "report/ReportLimits.h"
#include "report/ReportPage.h"

#include <QByteArray>
#include <array>

class TBodyLayout
{
public:
    // The controls of one column (index 1..30).
    struct TColumn {
        std::array<TBandItem *, kMaxTitleRows + 1> Title{}; // rows 1..5
        TBandItem *TitleRule = nullptr;
        TBandItem *Data = nullptr;
        TBandItem *DataBox = nullptr;
        TBandItem *TotalRule = nullptr;
        TBandItem *Total = nullptr;
        int Width = 0;
    };

    explicit TBodyLayout(TReportPage &page);
    TBodyLayout(const TBodyLayout &) = delete;
    TBodyLayout &operator=(const TBodyLayout &) = delete;

    // Back to no columns, with the five text styles from the settings.
    void Reset();
    // Acts on a body record; false when the code is not one of them.
    bool Dispatch(int code, const QByteArray &rest);
    // Record 100 and 300: the cells of the row about to print.
    void DoData(QByteArray rest);
    void DoTotals(QByteArray rest);
    // After the totals band printed: its captions and lines go, a changed style returns.
    void TotalsPrinted();

    // Layout steps.
    void LayoutTitles();
    void LayoutData();
    void LayoutTotals();
    void PlaceColumns();
    void SpanRules();
    void ApplyGridStyle();

    // The column shown at position i (1 = leftmost on the page).
    int ColumnAt(int position) const { return m_page.RightToLeft ? m_columnCount + 1 - position : position; }

    int ColumnCount() const { return m_columnCount; }
    int TitleRowCount() const { return m_titleRowCount; }
    int TotalWidth() const { return m_totalWidth; }
    char ReportStyle() const { return m_reportStyle; } // '0'..'3', 0 when not set
    int ShadeInterval() const { return m_shadeInterval; }
    TColor ShadeColour() const { return m_shadeColour; }
    // Text styles 1 title, 2 data, 3 total, 4 main header, 5 sub-header.
    const TFontSpec &Font(int style) const { return m_fonts[size_t(style)]; }
    const TColumn &Column(int c) const { return m_columns[size_t(c)]; }
    const TBandItem &TotalCaption(int k) const { return *m_totalCaptions[size_t(k)]; }
    const TBandItem &UpperTotalLine() const { return *m_upperTotalLine; }
    const TBandItem &LowerTotalLine() const { return *m_lowerTotalLine; }
    TBandItem &shpDataBackground() { return *m_shpDataBackground; }
    const TBandItem &shpDataBackground() const { return *m_shpDataBackground; }

    TBand &bndTitles() { return m_bndTitles; }
    TBand &bndFields() { return m_bndFields; }
    TBand &bndTotals() { return m_bndTotals; }
    const TBand &bndTitles() const { return m_bndTitles; }
    const TBand &bndFields() const { return m_bndFields; }
    const TBand &bndTotals() const { return m_bndTotals; }

private:
    void CreateControls();
    void DoColumnCount(QByteArray rest);
    void DoColumnWidths(QByteArray rest);
    void DoDataAlignment(QByteArray rest);
    void DoDataSpacing(QByteArray rest);
    void DoDataLines(QByteArray rest);
    void DoChangeColumnCount(QByteArray rest);
    void DoNarrowColumn(QByteArray rest);
    void DoTitles(QByteArray rest);
    void DoTitleAlignment(QByteArray rest);
    void DoTitleRowCount(QByteArray rest);
    void DoTitleSpacing(QByteArray rest);
    void DoSpanTitle(QByteArray rest);
    void DoTotalCaption(QByteArray rest);
    void DoTotalSpacing(QByteArray rest);
    void DoTotalLines(QByteArray rest);
    void DoTotalStyle(QByteArray rest);
    void DoTextStyle(QByteArray rest);
    void DoTableStyle(QByteArray rest);
    void DoRightToLeft();
    void SetTitleFont(const TFontSpec &font);
    void SetDataFont(const TFontSpec &font);
    void SetTotalFont(const TFontSpec &font);
    void SetColumnWidth(int c, int width);
    double DigitsWidth(const TFontSpec &font, int k) const;

    TReportPage &m_page;
    TBand m_bndTitles{"bndTitles", TBandKind::Child};
    TBand m_bndFields{"bndFields", TBandKind::Detail};
    TBand m_bndTotals{"bndTotals", TBandKind::Child};
    std::array<TFontSpec, 6> m_fonts;
    int m_columnCount = 0;
    int m_titleRowCount = 1;
    int m_defaultTitleRowCount = 1;
    int m_totalWidth = 0;
    TAlignment m_columnBlockAlign = TAlignment::Left;
    char m_reportStyle = 0;
    int m_shadeInterval = 1;
    TColor m_shadeColour = kDefaultShadeColour;
    std::array<bool, kMaxColumns + 1> m_dotLeader{};
    bool m_totalStyleChanged = false;
    std::array<TColumn, kMaxColumns + 1> m_columns;
    std::array<TBandItem *, 6> m_totalCaptions{}; // 1..5
    TBandItem *m_upperTotalLine = nullptr;
    TBandItem *m_lowerTotalLine = nullptr;
    TBandItem *m_shpDataBackground = nullptr;
    TBandItem *m_dataTopLine = nullptr;
    TBandItem *m_dataBottomLine = nullptr;
};
