#pragma once
// Page set-up of a report: paper, orientation, margins and page columns, in 96-dpi pixels.
#include "engine/Page.h"

#include <QSize>

struct TPageSetup {
    TPageOrientation Orientation = TPageOrientation::Portrait;
    // A4 (210 x 297 mm) in portrait.
    int PaperWidth = 794;
    int PaperLength = 1123;
    int LeftMargin = 38; // 10 mm
    int RightMargin = 38;
    int TopMargin = 38;
    int BottomMargin = 38;
    int Columns = 1;
    int ColumnSpacing = 0;
    // Page columns are filled from the right (right-to-left reports).
    bool ColumnsRightToLeft = false;

    int PageWidth() const { return Orientation == TPageOrientation::Landscape ? PaperLength : PaperWidth; }
    int PageLength() const { return Orientation == TPageOrientation::Landscape ? PaperWidth : PaperLength; }
    QSize PageSize() const { return QSize(PageWidth(), PageLength()); }
    int PrintableWidth() const { return PageWidth() - LeftMargin - RightMargin; }
    int ColumnCount() const { return Columns < 1 ? 1 : Columns; }
    // Width of one page column: the printable width shared out after the spacing.
    int ColumnWidth() const
    {
        const int n = ColumnCount();
        return (PrintableWidth() - (n - 1) * ColumnSpacing) / n;
    }
    // Page x of the left edge of column c (0 = the column filled first).
    int ColumnLeft(int c) const
    {
        const int visual = ColumnsRightToLeft ? ColumnCount() - 1 - c : c;
        return LeftMargin + visual * (ColumnWidth() + ColumnSpacing);
    }
};
