#pragma once
// The figures of a graph file (or of a report carrying graph records): X fields that label
// the points, Y fields whose columns become the series, grouped by report section when the
// file asks for it (record 951). Read once, then only asked.
#include "graph/GraphFormatter.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TProgressSink;
class TClipboardStrings;

namespace GraphGroups {

// One group of points: its labels, title lines and values.
class TPageData
{
public:
    explicit TPageData(int yFieldCapacity = 7);

    int PointCount() const { return m_points; }
    // Appends a point with empty labels and zero values; returns its number (from 1).
    int AddPoint();
    double Value(int field, int column, int point) const;
    void SetValue(int field, int column, int point, double value);
    double Maximum(int field) const { return field >= 1 && field <= 7 ? m_max[field - 1] : 0; }

    // Label 1 or 2 of a point (from 1); all X fields share them.
    const QString &Label(int which, int point) const;
    void SetLabel(int which, int point, const QString &text);

    // The report header and sub-header lines shown above the group's chart.
    const QStringList &HeaderLines() const { return m_headerLines; }
    const QStringList &SubHeaderLines() const { return m_subHeaderLines; }
    // A line is added while fewer than limit lines are there.
    void AddHeaderLine(const QString &text, int limit);
    void AddSubHeaderLine(const QString &text, int limit);
    // Appends another group's header lines, up to limit lines in all.
    void AppendHeaderLinesOf(const TPageData &other, int limit);
    // Header line n (from 1) becomes text; other numbers are ignored.
    void ReplaceHeaderLine(int n, const QString &text);
    void ClearHeaderLines() { m_headerLines.clear(); }
    void ClearSubHeaderLines() { m_subHeaderLines.clear(); }
    // A group without title lines of its own shows the first group's.
    void InheritTitlesFrom(const TPageData &first);

    // The current point (from 1) of the group's cursor.
    int Cursor() const { return m_cursor; }
    void SetCursor(int point) { m_cursor = point; }

private:
    int m_points = 0;
    QStringList m_label1, m_label2; // index 0 = point 1
    QStringList m_headerLines, m_subHeaderLines;
    int m_cursor = 1;
    // Seven columns of each Y field per point, in point order.
    std::vector<double> m_values;
    double m_max[7] = {0, 0, 0, 0, 0, 0, 0};
};

} // namespace GraphGroups

struct TYFieldDef {
    int Columns[7] = {-1, -1, -1, -1, -1, -1, -1};
    int Kind = ykWhole;
    QString Title;
    int ColumnCount = 0;
    int GroupId = 0;
    QString ColumnTitles[7];
    int ButtonCategory = -1;
};

class TGraphData
{
public:
    static constexpr int kMaxPoints = 1000;
    // Header and sub-header lines of one group: far more than a chart's title area shows. A
    // record 401 adds the previous group's lines, so without a limit they could double per group.
    static constexpr int kMaxHeaderLines = 200;
    static constexpr int kMaxXFields = 5;
    static constexpr int kMaxYFields = 7;

    TGraphData();
    // Tests and tools pass their own formatter (the process formats stay as they are).
    explicit TGraphData(const TIntlSettings &formatter);
    ~TGraphData();

    // Reads the file; true when the data is ready to be drawn. Messages (texts 16, 65, 69)
    // go through ShowMessageBox; progress and cancel through the sink (none: silent).
    bool LoadFromFile(const QString &fileName, TProgressSink *progress = nullptr);

    // Definitions.
    int GroupCount() const { return int(m_groups.size()); }
    int XFieldCount() const { return m_xFieldCount; }
    const QString &XTitle() const { return m_xTitle; }
    int YFieldCount() const { return m_yFieldCount; }
    QString YFieldTitle(int f) const;
    int YFieldKind(int f) const;
    int YColumnCount(int f) const;
    QString YColumnTitle(int f, int c) const;
    int YFieldCategory(int f) const;
    bool MultiGroup() const { return m_multiGroup; }
    bool OverlapBars() const { return m_overlapBars; }
    const QString &GroupCaption() const { return m_groupCaption; }
    bool RightToLeft() const { return m_rightToLeft; }
    bool VerticalXLabels() const { return m_verticalXLabels; }
    int DefaultPointsPerPage() const { return m_defaultPointsPerPage; }
    int LabelColumn1() const { return m_labelColumn1; }
    int LabelColumn2() const { return m_labelColumn2; }
    const TIntlSettings &Formatter() const { return m_formatter; }

    // The current group (0-based) that the questions below refer to.
    int CurrentGroup() const { return m_current; }
    void SetCurrentGroup(int group);
    int PointCount() const;
    // Header lines followed by sub-header lines.
    void HeaderLines(QStringList &lines) const;
    double MaxValue(int f) const;
    double Value(int f, int c, int p) const;
    QString Label(int x, int p, bool both) const;

    // Cursor over the current group.
    void ResetCursor();
    void NextPoint();
    int CursorPoint() const;
    void SetCursor(int n);
    bool CursorValid() const;
    double CursorValue(int f, int c) const;
    QString CursorLabel(int x, bool both) const;

    QString FormatValue(int f, double x) const;

    // The table of the current group as tab-separated lines.
    void FillClipboard(TClipboardStrings &strings) const;
    void CopyDataToClipboard() const;

private:
    void handleDefinition(int code, QByteArray rest);
    void addYColumn(QByteArray rest);
    void addPoint(QByteArray rest);
    void endSection();
    GraphGroups::TPageData &lastGroup() { return *m_groups.back(); }
    const GraphGroups::TPageData &group() const { return *m_groups[size_t(m_current)]; }
    GraphGroups::TPageData &group() { return *m_groups[size_t(m_current)]; }

    std::vector<std::unique_ptr<GraphGroups::TPageData>> m_groups;
    int m_current = 0;
    bool m_multiGroup = false;
    bool m_overlapBars = false;
    QString m_groupCaption;
    int m_xFieldCount = 0;
    int m_yFieldCount = 0;
    bool m_rightToLeft = false;
    TIntlSettings m_formatter;
    bool m_verticalXLabels = false;
    int m_defaultPointsPerPage = 12;
    int m_labelColumn1 = -1;
    int m_labelColumn2 = -1;
    QString m_xTitle;
    TYFieldDef m_yFields[kMaxYFields];
    bool m_badPointsPerPage = false;
};
