#include "export/ExportOptions.h"

#include "foundation/IniFile.h"

namespace {
const QString kSection = QStringLiteral("export");
}

void LoadExportOptions(const QString &path, TExportOptions &options)
{
    options = TExportOptions();
    const int delimiter = IniReadInteger(path, kSection, QStringLiteral("DELIMITER"), 44);
    options.Delimiter = char(delimiter == 0 ? 44 : delimiter);
    options.ForceQuote = IniReadYesNo(path, kSection, QStringLiteral("FORCE_QUOTE"), false);
    options.AsciiDos = IniReadYesNo(path, kSection, QStringLiteral("ASCII_DOS"), false);
    const int lines = IniReadInteger(path, kSection, QStringLiteral("LINES_IN_PAGE"), 60);
    options.LinesInPage = lines == 0 ? 60 : lines;
    options.PageBreak = quint8(IniReadInteger(path, kSection, QStringLiteral("PAGE_BREAK"), 0));
    options.DataOnly = IniReadYesNo(path, kSection, QStringLiteral("DATA_ONLY"), false);
    options.IncludeSummaryLine = IniReadYesNo(path, kSection, QStringLiteral("INCLUDE_SUMMARY_LINE"), true);
    options.IncludeHeader = IniReadYesNo(path, kSection, QStringLiteral("INCLUDE_HEADER"), true);
    options.HeaderType = quint8(IniReadInteger(path, kSection, QStringLiteral("HEADER_TYPE"), 1));
}

bool SaveExportOptions(const QString &path, const TExportOptions &options)
{
    bool ok = true;
    ok &= IniWriteInteger(path, kSection, QStringLiteral("DELIMITER"), quint8(options.Delimiter));
    ok &= IniWriteYesNo(path, kSection, QStringLiteral("FORCE_QUOTE"), options.ForceQuote);
    ok &= IniWriteYesNo(path, kSection, QStringLiteral("ASCII_DOS"), options.AsciiDos);
    ok &= IniWriteInteger(path, kSection, QStringLiteral("PAGE_BREAK"), options.PageBreak);
    ok &= IniWriteInteger(path, kSection, QStringLiteral("LINES_IN_PAGE"), options.LinesInPage);
    ok &= IniWriteYesNo(path, kSection, QStringLiteral("DATA_ONLY"), options.DataOnly);
    ok &= IniWriteYesNo(path, kSection, QStringLiteral("INCLUDE_SUMMARY_LINE"), options.IncludeSummaryLine);
    ok &= IniWriteYesNo(path, kSection, QStringLiteral("INCLUDE_HEADER"), options.IncludeHeader);
    ok &= IniWriteInteger(path, kSection, QStringLiteral("HEADER_TYPE"), options.HeaderType);
    return ok;
}
