#pragma once
// The export option record: how CSV lines and text pages are written. Kept in section
// [export] of CLIENT.PAR; the column formats come from record 913 of the report instead.
#include <QString>
#include <array>

struct TColumnFormat {
    char Kind = 0;  // "L", "R" or "Z"; anything else leaves the field as it is
    int Width = 0;  // 0..255
};

inline constexpr int kMaxExportColumns = 30;

enum TPageBreak : int { pbNone = 0, pbEmptyLine = 1, pbFormFeed = 2 };
enum THeaderType : int { htFieldsHeader = 1, htReportHeader = 2 };

struct TExportOptions {
    char Delimiter = 0;
    bool ForceQuote = false;
    bool AsciiDos = false;
    std::array<TColumnFormat, kMaxExportColumns + 1> Columns{}; // numbered from 1
    int PageBreak = pbNone;
    int LinesInPage = 0;  // -1: continuous, no paging
    bool DataOnly = false;
    bool IncludeSummaryLine = false;
    bool IncludeHeader = false;
    int HeaderType = 0;

    bool Continuous() const { return LinesInPage == -1; }
    // Header lines of that kind are written.
    bool WritesHeader(int type) const { return IncludeHeader && HeaderType == type && !DataOnly; }
};

// Zero-fills the record (column formats included) and reads [export] of the file; missing
// keys take their defaults, a delimiter of 0 becomes ",", 0 lines per page become 60.
void LoadExportOptions(const QString &path, TExportOptions &options);
// Writes the nine keys; the column formats are never written. False when a key failed.
bool SaveExportOptions(const QString &path, const TExportOptions &options);
