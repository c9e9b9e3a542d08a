#include "graph/GraphData.h"

#include "foundation/Codepages.h"
#include "foundation/IntlSettings.h"
#include "foundation/DisplayText.h"
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"
#include "foundation/Progress.h"
#include "graph/GraphRecords.h"
#include "report/RecordCodes.h"
#include "report/RecordLoop.h"
#include "report/RecordStream.h"
#include "report/SrpReader.h"

using GraphGroups::TPageData;

namespace GraphGroups {

TPageData::TPageData(int) {}

int TPageData::AddPoint()
{
    ++m_points;
    m_label1.append(QString());
    m_label2.append(QString());
    m_values.resize(m_values.size() + 49, 0.0);
    return m_points;
}

const QString &TPageData::Label(int which, int point) const
{
    return (which == 2 ? m_label2 : m_label1)[point - 1];
}

void TPageData::SetLabel(int which, int point, const QString &text)
{
    (which == 2 ? m_label2 : m_label1)[point - 1] = text;
}

void TPageData::AddHeaderLine(const QString &text, int limit)
{
    if (m_headerLines.size() < limit)
        m_headerLines.append(text);
}

void TPageData::AddSubHeaderLine(const QString &text, int limit)
{
    if (m_subHeaderLines.size() < limit)
        m_subHeaderLines.append(text);
}

void TPageData::AppendHeaderLinesOf(const TPageData &other, int limit)
{
    m_headerLines += other.m_headerLines.mid(0, std::max<qsizetype>(limit - m_headerLines.size(), 0));
}

void TPageData::ReplaceHeaderLine(int n, const QString &text)
{
    if (n >= 1 && n <= m_headerLines.size())
        m_headerLines[n - 1] = text;
}

void TPageData::InheritTitlesFrom(const TPageData &first)
{
    if (m_headerLines.isEmpty())
        m_headerLines = first.m_headerLines;
    if (m_subHeaderLines.isEmpty())
        m_subHeaderLines = first.m_subHeaderLines;
}

double TPageData::Value(int field, int column, int point) const
{
    if (field < 1 || field > 7 || column < 1 || column > 7 || point < 1 || point > m_points)
        return 0;
    return m_values[size_t(point - 1) * 49 + size_t(field - 1) * 7 + size_t(column - 1)];
}

void TPageData::SetValue(int field, int column, int point, double value)
{
    if (field < 1 || field > 7 || column < 1 || column > 7 || point < 1 || point > m_points)
        return;
    m_values[size_t(point - 1) * 49 + size_t(field - 1) * 7 + size_t(column - 1)] = value;
    if (value > m_max[field - 1])
        m_max[field - 1] = value;
}

} // namespace GraphGroups

TGraphData::TGraphData()
    : m_formatter()
{
    m_groups.push_back(std::make_unique<TPageData>());
}

TGraphData::TGraphData(const TIntlSettings &formatter)
    : m_formatter(formatter)
{
    m_groups.push_back(std::make_unique<TPageData>());
}

TGraphData::~TGraphData() = default;

void TGraphData::handleDefinition(int code, QByteArray rest)
{
    switch (code) {
    case rcReportHeaderLine:
    case rcSubHeaderInfoLine: {
        for (int i = 0; i < 4; ++i)
            NextField(rest);
        const QString text = DecodeField(NextField(rest));
        if (!text.isEmpty()) {
            if (code == rcReportHeaderLine)
                lastGroup().AddHeaderLine(text, kMaxHeaderLines);
            else
                lastGroup().AddSubHeaderLine(text, kMaxHeaderLines);
        }
        break;
    }
    case rcReplaceReportHeaderLine: {
        const int n = NextInt(rest, -1);
        const QString text = DecodeField(NextField(rest));
        if (m_groups.size() > 1) {
            TPageData &last = lastGroup();
            last.AppendHeaderLinesOf(*m_groups[m_groups.size() - 2], kMaxHeaderLines);
            last.ReplaceHeaderLine(n, text);
        }
        break;
    }
    case rcClearReportHeader:
        lastGroup().ClearHeaderLines();
        break;
    case rcClearSubHeaderInfo:
        lastGroup().ClearSubHeaderLines();
        break;
    case grXField:
        if (m_xFieldCount < kMaxXFields) {
            ++m_xFieldCount;
            m_labelColumn1 = NextInt(rest, -1);
            m_labelColumn2 = NextInt(rest, -1);
            m_xTitle = JoinTitleParts(NextField(rest), 40);
        }
        break;
    case grYColumn:
        addYColumn(rest);
        break;
    case grGroupCaption:
        m_groupCaption = DecodeField(NextField(rest));
        break;
    case grOverlapBars:
        m_overlapBars = true;
        break;
    case grButtonCategories:
        for (int f = 0; f < m_yFieldCount; ++f)
            m_yFields[f].ButtonCategory = NextInt(rest, -1);
        break;
    case rcRightToLeft:
        m_rightToLeft = true;
        break;
    case grIntlFormats:
        m_formatter.SetFromRecord(rest);
        break;
    case grVerticalXLabels:
        m_verticalXLabels = RecordBoolean(rest.trimmed(), false);
        break;
    case grPointsPerPage:
        if (const auto n = RecordInteger(rest.trimmed()))
            m_defaultPointsPerPage = *n;
        else
            m_badPointsPerPage = true;
        break;
    case grMultiGroup:
        m_multiGroup = true;
        break;
    default:
        break;
    }
}

void TGraphData::addYColumn(QByteArray rest)
{
    if (m_yFieldCount >= kMaxYFields)
        return;
    const int column = NextInt(rest, -1);
    const int kind = NextInt(rest, ykWhole);
    const QString title = JoinTitleParts(NextField(rest), 40);
    const int groupId = NextInt(rest, 0);
    const QString columnTitle = DecodeField(NextField(rest)).left(40);

    TYFieldDef *field = nullptr;
    if (groupId > 0) {
        for (int f = 0; f < m_yFieldCount && !field; ++f)
            if (m_yFields[f].GroupId == groupId)
                field = &m_yFields[f];
    }
    if (!field)
        field = &m_yFields[m_yFieldCount++];
    // The model holds seven columns; an eighth is dropped.
    if (field->ColumnCount < 7) {
        field->Columns[field->ColumnCount] = column;
        field->ColumnTitles[field->ColumnCount] = columnTitle;
        ++field->ColumnCount;
    }
    field->Kind = kind;
    field->Title = title;
    field->GroupId = groupId;
    field->ButtonCategory = -1;
}

void TGraphData::addPoint(QByteArray rest)
{
    TPageData &g = lastGroup();
    const int p = g.AddPoint();
    const QString missing = m_xFieldCount > 0 ? LookupText(183) : QString();
    const QChar processTime = FormatSettings().timeSeparator;
    for (int i = 1; !rest.isEmpty(); ++i) {
        QString field = DecodeField(NextField(rest));
        if (m_xFieldCount > 0 && field.isEmpty())
            field = missing;
        if (i == m_labelColumn1)
            g.SetLabel(1, p, field);
        else if (i == m_labelColumn2)
            g.SetLabel(2, p, field);
        for (int f = 0; f < m_yFieldCount; ++f) {
            const TYFieldDef &y = m_yFields[f];
            for (int c = 0; c < y.ColumnCount; ++c) {
                if (y.Columns[c] != i)
                    continue;
                double v = 0;
                switch (y.Kind) {
                case ykCalls:
                case ykPulses:
                case ykWhole: v = m_formatter.ParseInteger(field); break;
                case ykCost: v = m_formatter.ParseAmount(field); break;
                case ykDuration: v = m_formatter.ParseTime(field); break;
                case ykDecimal: v = m_formatter.ParseNumber(field); break;
                case ykTime: {
                    // Hours, minutes and seconds count as hours and minutes.
                    QString t = field;
                    if (t.count(processTime) >= 2)
                        t.chop(3);
                    v = m_formatter.ParseTime(t);
                    break;
                }
                default: break;
                }
                g.SetValue(f + 1, c + 1, p, v);
            }
        }
    }
}

void TGraphData::endSection()
{
    if (!m_multiGroup)
        return;
    lastGroup().InheritTitlesFrom(*m_groups.front());
    m_groups.push_back(std::make_unique<TPageData>());
}

bool TGraphData::LoadFromFile(const QString &fileName, TProgressSink *progress)
{
    auto info = [](const QString &text) { ShowMessageBox(text, QString(), mkInformation, mbOK); };

    TSrpReader reader(fileName);
    if (!reader.Open()) {
        info(DisplayText(65));
        return false;
    }
    TRecordWalk walk = TRecordWalk::End;
    if (reader.ReadHeader()) {
        walk = WalkRecords(reader, progress, [&](int code, const QByteArray &rest) {
            if (code == rcData)
                return false;
            handleDefinition(code, rest);
            return true;
        });
    }
    const bool reachedData = walk == TRecordWalk::Stopped;
    if (walk == TRecordWalk::Cancelled) {
        reader.Close();
        return false;
    }
    if (!reachedData || m_xFieldCount == 0 || m_yFieldCount == 0 || m_badPointsPerPage) {
        reader.Close();
        info(DisplayFormat(16, {fileName}));
        return false;
    }

    bool pointSinceSection = false;
    // False once the last group is full.
    auto handleRecord = [&](int code, const QByteArray &rest) {
        switch (code) {
        case rcData:
            pointSinceSection = true;
            if (!rest.trimmed().isEmpty())
                addPoint(rest);
            if (lastGroup().PointCount() >= kMaxPoints) {
                info(DisplayFormat(69, {QString::number(kMaxPoints)}));
                return false;
            }
            break;
        case rcSectionEnd:
            if (pointSinceSection)
                endSection();
            else
                lastGroup().ClearSubHeaderLines();
            pointSinceSection = false;
            break;
        case rcReportHeaderLine:
        case rcReplaceReportHeaderLine:
        case rcSubHeaderInfoLine:
            if (m_multiGroup)
                handleDefinition(code, rest);
            break;
        default:
            break;
        }
        return true;
    };
    // The first data record is the reader's current one.
    bool cancelled = false;
    if (handleRecord(reader.RecordCode(), reader.RecordRest()))
        cancelled = WalkRecords(reader, progress, handleRecord) == TRecordWalk::Cancelled;
    reader.Close();

    if (m_multiGroup) {
        if (m_groups.size() > 1 && m_groups.back()->PointCount() == 0)
            m_groups.pop_back();
        // The last section has no section end after it: it inherits the first group's
        // title lines like every other section.
        if (m_groups.size() > 1)
            lastGroup().InheritTitlesFrom(*m_groups.front());
    }
    m_current = 0;
    return !cancelled;
}

QString TGraphData::YFieldTitle(int f) const { return f >= 1 && f <= m_yFieldCount ? m_yFields[f - 1].Title : QString(); }
int TGraphData::YFieldKind(int f) const { return f >= 1 && f <= m_yFieldCount ? m_yFields[f - 1].Kind : -1; }
int TGraphData::YColumnCount(int f) const { return f >= 1 && f <= m_yFieldCount ? m_yFields[f - 1].ColumnCount : 0; }
QString TGraphData::YColumnTitle(int f, int c) const
{
    if (f < 1 || f > m_yFieldCount || c < 1 || c > m_yFields[f - 1].ColumnCount)
        return QString();
    return m_yFields[f - 1].ColumnTitles[c - 1];
}
int TGraphData::YFieldCategory(int f) const { return f >= 1 && f <= m_yFieldCount ? m_yFields[f - 1].ButtonCategory : -1; }

void TGraphData::SetCurrentGroup(int g)
{
    if (g >= 0 && g < GroupCount())
        m_current = g;
}

int TGraphData::PointCount() const { return group().PointCount(); }

void TGraphData::HeaderLines(QStringList &lines) const
{
    lines = group().HeaderLines() + group().SubHeaderLines();
}

double TGraphData::MaxValue(int f) const { return f >= 1 && f <= m_yFieldCount ? group().Maximum(f) : 0; }

double TGraphData::Value(int f, int c, int p) const
{
    if (f < 1 || f > m_yFieldCount || c < 1 || c > m_yFields[f - 1].ColumnCount)
        return 0;
    return group().Value(f, c, p);
}

QString TGraphData::Label(int x, int p, bool both) const
{
    const TPageData &g = group();
    if (x < 1 || x > m_xFieldCount || p < 1 || p > g.PointCount())
        return QString();
    const QString &one = g.Label(1, p);
    if (!both)
        return one.trimmed();
    const QString &two = g.Label(2, p);
    return (m_rightToLeft ? two + QLatin1Char(' ') + one : one + QLatin1Char(' ') + two).trimmed();
}

void TGraphData::ResetCursor() { group().SetCursor(1); }
void TGraphData::NextPoint()
{
    if (group().Cursor() <= PointCount())
        group().SetCursor(group().Cursor() + 1);
}
int TGraphData::CursorPoint() const { return group().Cursor(); }
void TGraphData::SetCursor(int n)
{
    if (n >= 1 && n <= PointCount())
        group().SetCursor(n);
}
bool TGraphData::CursorValid() const { return group().Cursor() >= 1 && group().Cursor() <= PointCount(); }
double TGraphData::CursorValue(int f, int c) const { return CursorValid() ? Value(f, c, group().Cursor()) : 0; }
QString TGraphData::CursorLabel(int x, bool both) const { return CursorValid() ? Label(x, group().Cursor(), both) : QString(); }

QString TGraphData::FormatValue(int f, double x) const { return FormatByKind(m_formatter, YFieldKind(f), x); }

void TGraphData::FillClipboard(TClipboardStrings &strings) const
{
    QStringList head;
    for (int x = 1; x <= m_xFieldCount; ++x)
        head.append(QuoteCell(m_xTitle));
    QString line = head.join(QLatin1Char('\t'));
    for (int f = 1; f <= m_yFieldCount; ++f) {
        for (int c = 1; c <= YColumnCount(f); ++c) {
            const QString columnTitle = YColumnTitle(f, c);
            const QString title = columnTitle.isEmpty()
                                      ? YFieldTitle(f)
                                      : FormatText(QStringLiteral("%s (%s)"), {YFieldTitle(f), columnTitle});
            line += QLatin1Char('\t') + QuoteCell(title);
        }
    }
    if (!strings.Add(line))
        return;
    for (int p = 1; p <= PointCount(); ++p) {
        line = QuoteCell(Label(1, p, true));
        for (int x = 2; x <= m_xFieldCount; ++x)
            line += QLatin1Char('\t') + QuoteCell(Label(x, p, true));
        for (int f = 1; f <= m_yFieldCount; ++f) {
            const bool cost = YFieldKind(f) == ykCost;
            for (int c = 1; c <= YColumnCount(f); ++c) {
                const double v = Value(f, c, p);
                line += QLatin1Char('\t') + (cost ? m_formatter.FormatDecimal(v) : m_formatter.FormatWhole(v));
            }
        }
        if (!strings.Add(line))
            return;
    }
}

void TGraphData::CopyDataToClipboard() const
{
    TClipboardStrings strings;
    FillClipboard(strings);
    strings.CopyToClipboard();
}
