#pragma once
// Exports a saved report as an Excel workbook: the rows and cells the CSV export writes with
// the same options, each cell typed by what it holds (see XlsxCells.h). A right-to-left
// sheet named after the report, its column widths those of the report, the column-title
// row bold and frozen, totals bold; past a sheet's last row the rows go on in another sheet
// under the titles again. The sheets are streamed into the archive as the rows come
// (XlsxSheet.h, ZipWriter.h), so memory stays flat however long the report; the target is
// replaced only when the workbook is complete.
#include "export/ExportOptions.h"
#include "export/ExportToFile.h"

#include <QString>

class TProgressSink;
struct TFormatSettings;

// The rows of one worksheet, as Excel counts them.
inline constexpr int kXlsxMaxRows = 1048576;

// ".xlsx" in any letter case.
bool IsXlsxExportTarget(const QString &target);

// A sheet name from the report's title: characters a sheet name may not hold ([ ] : * ? / \)
// left out, at most 31 characters, never empty.
QString XlsxSheetName(const QString &title);

// Cells are read with the suite's formats ([intl], see IntlSettings.h) unless others are given.
TExportStatus ExportReportToXlsx(const QString &reportFile, const QString &target, const TExportOptions &options,
                                 TProgressSink &progress, const TFormatSettings *formats = nullptr,
                                 int rowsPerSheet = kXlsxMaxRows);
