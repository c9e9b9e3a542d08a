#include "graph/GraphView.h"

#include "foundation/DisplayText.h"
#include "graph/ChartAxis.h"
#include "graph/ChartPainter.h"

#include <QFontMetricsF>
#include <cmath>

QColor AutomaticSeriesColor(int i)
{
    // red, green, yellow, blue, white, grey, fuchsia, teal, navy, maroon, lime, olive, purple, silver, aqua, black
    static const int order[] = {9, 2, 11, 12, 15, 7, 13, 6, 4, 1, 10, 3, 5, 8, 14, 0};
    return PaletteColor(order[i % 16]);
}

TGraphView::TGraphView() { prepareModel(); }

TGraphView::TGraphView(const TIntlSettings &formatter)
    : m_data(formatter)
{
    prepareModel();
}

void TGraphView::prepareModel()
{
    m_model = TChartModel();
    m_model.leftAxis.labelSpacing = 100;
    m_model.bottomAxis.labelSpacing = 10;
    m_model.wallSize = 10;
    m_model.legendColorWidth = 30;
    m_settings = TGraphSettings::Defaults(false);
    m_model.markText = [this](int s, int p, const QString &t) { return markText(s, p, t); };
    m_model.axisLabel = [this](double v, const QString &t) { return axisLabel(v, t); };
}

bool TGraphView::LoadFile(const QString &fileName, TProgressSink *progress, const QString &settingsFile)
{
    const bool ok = m_data.LoadFromFile(fileName, progress);
    if (m_data.VerticalXLabels())
        m_model.bottomAxis.labelAngle = 90;
    m_currentY = 1;
    if (!ok)
        return false;
    m_data.SetCurrentGroup(0);
    m_pointsPerPage.assign(size_t(m_data.GroupCount()), m_data.DefaultPointsPerPage());
    UpdatePointsPerPage();
    m_settingsFile = settingsFile;
    m_settings = TGraphSettings::Defaults(false);
    if (!settingsFile.isEmpty())
        m_settings.Read(settingsFile, QStringLiteral("GraphInfo"));
    m_data.HeaderLines(m_titles.lines);
    m_titles.bottom = m_data.XTitle();
    BuildFieldSelector();
    return true;
}

void TGraphView::Activate()
{
    SelectYField(m_currentY);
    UpdatePointsPerPage();
    ApplyPaging(false);
}

void TGraphView::BuildFieldSelector()
{
    m_selectorMode = false;
    for (int &b : m_fieldButtons)
        b = 0;
    for (int f = 1; f <= m_data.YFieldCount(); ++f) {
        int category = m_data.YFieldCategory(f);
        if (category == -1)
            category = m_data.YFieldKind(f);
        int button = -1;
        switch (category) {
        case 0: button = fbCalls; break;
        case 1: button = fbPulses; break;
        case 2: button = fbCost; break;
        case 3: button = fbTime; break;
        case 7: button = fbExtensions; break;
        default: break;
        }
        if (button < 0 || m_fieldButtons[button] != 0)
            m_selectorMode = true;
        else
            m_fieldButtons[button] = f;
    }
}

void TGraphView::SelectYField(int f)
{
    const int previous = m_currentY;
    m_currentY = f;
    m_titles.left = m_data.YFieldTitle(f);
    if (f == previous || m_data.YColumnCount(f) < 2 || m_state.Kind() != int(TChartKind::Pie)) {
        BuildSeries();
        ApplyColours();
    } else {
        // A pie shows one series only.
        ChangeKind(int(TChartKind::Bar));
        ApplyColours();
    }
}

void TGraphView::ChangeKind(int k)
{
    if (!m_state.SetKind(k))
        return;
    ApplyPaging(false);
    SaveSettings();
    BuildSeries();
}

void TGraphView::KindButton(int k)
{
    ChangeKind(k);
    SelectYField(m_currentY);
}

void TGraphView::PieButton() { ChangeKind(int(TChartKind::Pie)); }

void TGraphView::Set3D(bool on)
{
    m_state.Set3D(on);
    ApplyAll();
}

void TGraphView::NextMarksStyle()
{
    m_state.NextMarksStyle();
    ApplyAll();
}

void TGraphView::SetMarksStyle(int style)
{
    m_state.SetMarksStyle(style);
    ApplyAll();
}

void TGraphView::ToggleLegend()
{
    m_legendShown = !m_legendShown;
    ApplyAll();
}

void TGraphView::SetGallery(int kind, bool view3D, int percent)
{
    m_state.SetGallery(kind, view3D, percent);
    ApplyPaging(false);
    SaveSettings();
    BuildSeries();
    ApplyColours();
}

int TGraphView::PointsPerPage() const
{
    const int g = m_data.CurrentGroup();
    return g >= 0 && g < int(m_pointsPerPage.size()) ? m_pointsPerPage[size_t(g)] : 1;
}

void TGraphView::UpdatePointsPerPage()
{
    const size_t g = size_t(m_data.CurrentGroup());
    if (g >= m_pointsPerPage.size())
        return;
    // The number box keeps values of 1 to 999 and no more than the points.
    m_pointsPerPage[g] = std::clamp(std::min(m_pointsPerPage[g], m_data.PointCount()), 1, 999);
}

void TGraphView::PointsPerPageChanged(int value)
{
    const size_t g = size_t(m_data.CurrentGroup());
    if (g >= m_pointsPerPage.size())
        return;
    value = std::clamp(value, 1, std::max(1, m_data.PointCount()));
    m_pointsPerPage[g] = value;
    const bool areaKinds = m_state.Kind() >= int(TChartKind::Area) && m_state.Kind() <= int(TChartKind::Points);
    if (value == 1 && areaKinds) {
        m_savedScroll = -0.5;
        ChangeKind(int(TChartKind::Bar));
    } else {
        ApplyPaging(true);
    }
    updatePageButtons();
}

TChartAxis &TGraphView::categoryAxis()
{
    return m_state.Kind() == int(TChartKind::HorizBar) ? m_model.leftAxis : m_model.bottomAxis;
}

void TGraphView::ApplyPaging(bool keepPosition)
{
    const TChartKind kind = TChartKind(m_state.Kind());
    TChartAxis &axis = categoryAxis();
    const TAxisRange range = CategoryRange(kind, PointsPerPage());
    const double start = IsBarKind(kind) ? axis.minimum + 0.5 : std::round(axis.minimum);
    axis.minimum = range.minimum;
    axis.maximum = range.maximum;
    if (keepPosition && (start > 0 || kind == TChartKind::Pie))
        Scroll(start);
    else
        updatePageButtons();
}

void TGraphView::Scroll(double x)
{
    const TChartKind kind = TChartKind(m_state.Kind());
    TChartAxis &axis = categoryAxis();
    x = ClampScroll(x, {axis.minimum, axis.maximum}, m_data.PointCount(), kind);
    axis.minimum += x;
    axis.maximum += x;
    m_savedScroll = axis.minimum;
    updatePageButtons();
    if (kind == TChartKind::Pie)
        BuildSeries();
}

void TGraphView::updatePageButtons()
{
    const TChartKind kind = TChartKind(m_state.Kind());
    const TChartAxis &axis = kind == TChartKind::HorizBar ? m_model.leftAxis : m_model.bottomAxis;
    m_nextPage = ::NextPageEnabled({axis.minimum, axis.maximum}, m_data.PointCount(), kind);
    m_previousPage = ::PreviousPageEnabled({axis.minimum, axis.maximum}, kind);
}

void TGraphView::PreviousPage()
{
    const int pp = PointsPerPage();
    Scroll(pp < 2 ? -1 : -pp);
    SelectYField(m_currentY);
}

void TGraphView::NextPage()
{
    const int pp = PointsPerPage();
    Scroll(pp < 2 ? 1 : pp);
    SelectYField(m_currentY);
}

void TGraphView::ChangeGroup(int delta)
{
    const int g = m_data.CurrentGroup() + delta;
    if (g < 0 || g >= m_data.GroupCount())
        return;
    m_data.SetCurrentGroup(g);
    UpdatePointsPerPage();
    BuildSeries();
    PointsPerPageChanged(PointsPerPage());
    SelectYField(m_currentY);
}

void TGraphView::SaveSettings() const
{
    if (!m_settingsFile.isEmpty())
        m_settings.Write(m_settingsFile, QStringLiteral("GraphInfo"));
}

int TGraphView::pieStart() const { return std::max(1, int(std::nearbyint(m_savedScroll)) + 1); }

void TGraphView::createSeries(int count)
{
    m_model.series.clear();
    for (int c = 0; c < count; ++c) {
        TChartSeries s;
        s.kind = TChartKind(m_state.Kind());
        s.overlapBars = m_data.OverlapBars();
        s.barWidthPercent = 75;
        s.color = c < int(m_seriesColors.size()) ? m_seriesColors[size_t(c)] : AutomaticSeriesColor(c);
        m_model.series.push_back(s);
    }
}

void TGraphView::BuildSeries()
{
    const int f = m_currentY;
    const int n = m_data.YColumnCount(f);
    if (m_seriesColors.size() != size_t(n))
        m_seriesColors.clear();
    createSeries(n);
    const bool pie = m_state.Kind() == int(TChartKind::Pie);
    if (pie) {
        const int start = pieStart();
        m_data.SetCursor(start);
        if (start < 1 || start > m_data.PointCount())
            m_data.ResetCursor();
        while (m_data.CursorValid() && m_data.CursorPoint() < start + PointsPerPage()) {
            for (int c = 1; c <= n; ++c)
                m_model.series[size_t(c - 1)].points.push_back({m_data.CursorValue(f, c), m_data.CursorLabel(1, false), QColor()});
            m_data.NextPoint();
        }
    } else {
        for (int c = 1; c <= n; ++c) {
            TChartSeries &s = m_model.series[size_t(c - 1)];
            s.points.reserve(size_t(m_data.PointCount()));
            const QString title = m_data.YColumnTitle(f, c);
            s.title = title.isEmpty() ? DisplayText(170) : title;
        }
        m_data.ResetCursor();
        while (m_data.CursorValid()) {
            for (int c = 1; c <= n; ++c)
                m_model.series[size_t(c - 1)].points.push_back({m_data.CursorValue(f, c), m_data.CursorLabel(1, false), QColor()});
            m_data.NextPoint();
        }
    }
    if (m_colorEachPoint && n == 1)
        for (size_t i = 0; i < m_model.series[0].points.size(); ++i)
            m_model.series[0].points[i].color = AutomaticSeriesColor(int(i));
    for (TChartSeries &s : m_model.series)
        s.clipMarks = m_state.Kind() == int(TChartKind::HorizBar);
    m_pieEnabled = n == 1;
    m_state.SetMarksStyle(pie ? msLabelPercent : msNone);
    ApplyAll();
}

void TGraphView::ApplyAll()
{
    const TChartKind kind = TChartKind(m_state.Kind());
    const bool pie = kind == TChartKind::Pie;
    // Kind, 3D and marks.
    m_state.ApplyTo(m_model);
    for (TChartSeries &s : m_model.series)
        s.kind = kind;
    // Gridlines.
    m_model.leftAxis.gridVisible = m_settings.horizontalGrid;
    m_model.bottomAxis.gridVisible = m_settings.verticalGrid;
    // Titles.
    if (m_data.GroupCount() > 1)
        m_data.HeaderLines(m_titles.lines);
    m_model.title = m_titles.lines;
    m_model.title.append(QString());
    const bool caption = !m_data.GroupCaption().isEmpty() && m_data.GroupCount() > 1;
    const QString twoSpaces = QStringLiteral("  ");
    if (kind == TChartKind::HorizBar) {
        m_model.leftAxis.title = (caption ? m_data.GroupCaption() : m_titles.bottom) + twoSpaces;
        m_model.foot = m_titles.left;
    } else {
        m_model.leftAxis.title = (caption ? m_data.GroupCaption() : m_titles.left) + twoSpaces;
        m_model.foot = m_titles.bottom;
    }
    // Fonts.
    const QFont labelsFont = m_settings.fonts.axisLabels.toQFont();
    m_model.titleFont = m_settings.fonts.title.toQFont();
    m_model.titleColor = ToQColor(m_settings.fonts.title.color);
    m_model.footFont = m_model.leftAxis.titleFont = m_model.bottomAxis.titleFont = m_settings.fonts.axisTitles.toQFont();
    m_model.footColor = m_model.leftAxis.titleColor = m_model.bottomAxis.titleColor = ToQColor(m_settings.fonts.axisTitles.color);
    m_model.leftAxis.labelsFont = m_model.bottomAxis.labelsFont = labelsFont;
    m_model.leftAxis.labelsColor = m_model.bottomAxis.labelsColor = ToQColor(m_settings.fonts.axisLabels.color);
    m_model.legendFont = labelsFont;
    // Axes.
    const int pp = PointsPerPage();
    const double max = 1.1 * m_data.MaxValue(m_currentY);
    if (pie) {
        for (TChartSeries &s : m_model.series) {
            s.circled = !m_state.View3D();
            s.darkShading = !m_state.View3D();
        }
        m_model.backColor = QColor();
    } else {
        m_model.backColor = ToQColor(m_settings.colors.walls);
        TChartAxis &category = categoryAxis();
        TChartAxis &value = kind == TChartKind::HorizBar ? m_model.bottomAxis : m_model.leftAxis;
        const TAxisRange range = CategoryRange(kind, pp);
        category.minimum = range.minimum;
        category.maximum = range.maximum;
        value.minimum = 0;
        value.maximum = max;
        value.increment = 0;
        if (kind == TChartKind::HorizBar) {
            m_model.leftAxis.labelSpacing = 5;
            m_model.bottomAxis.labelSpacing = 100;
        } else {
            m_model.leftAxis.labelSpacing = 100;
            m_model.bottomAxis.labelSpacing = 10;
        }
        const QFontMetricsF fm(labelsFont);
        double width = 0;
        if (kind == TChartKind::HorizBar) {
            for (const TChartSeries &s : m_model.series)
                for (const TChartPoint &p : s.points)
                    width = std::max(width, fm.horizontalAdvance(p.label));
        } else {
            for (int f = 1; f <= m_data.YFieldCount(); ++f)
                width = std::max(width, fm.horizontalAdvance(m_data.FormatValue(f, m_data.MaxValue(f))));
        }
        m_model.leftAxis.labelWidth = int(std::ceil(width + fm.horizontalAdvance(QLatin1Char('W'))));
    }
    // Legend: the pie's only.
    m_model.legendVisible = pie && m_legendShown;
    // Back to the page that was shown.
    if (!pie) {
        double position = m_savedScroll;
        if (IsBarKind(kind)) {
            if (position - std::floor(position) > 0)
                position += 0.5;
        } else {
            position = std::round(position);
        }
        Scroll(position);
    }
}

void TGraphView::ApplyColours()
{
    const TGraphColors &colors = m_settings.colors;
    m_model.color = ToQColor(colors.background);
    m_model.wallColor = ToQColor(colors.walls);
    if (m_state.Kind() != int(TChartKind::Pie))
        m_model.backColor = ToQColor(colors.walls);
    const int n = int(m_model.series.size());
    m_seriesColors.assign(size_t(n), QColor());
    m_colorEachPoint = colors.useRandom && n == 1;
    std::uniform_int_distribution<int> pick(1, 16);
    for (int i = 0; i < n; ++i) {
        TChartSeries &s = m_model.series[size_t(i)];
        if (!colors.useRandom) {
            s.color = ToQColor(colors.series[i % 10]);
        } else if (n == 1) {
            for (size_t p = 0; p < s.points.size(); ++p)
                s.points[p].color = AutomaticSeriesColor(int(p));
        } else {
            for (;;) {
                const TColor c = GraphPaletteColor(pick(m_random));
                bool taken = c == colors.walls;
                for (int j = 0; j < i && !taken; ++j)
                    taken = m_seriesColors[size_t(j)] == ToQColor(c);
                if (!taken) {
                    s.color = ToQColor(c);
                    break;
                }
            }
        }
        m_seriesColors[size_t(i)] = s.color;
    }
    if (!colors.useRandom || n != 1)
        for (TChartSeries &s : m_model.series)
            for (TChartPoint &p : s.points)
                p.color = QColor();
}

QString TGraphView::markText(int series, int point, const QString &text) const
{
    if (series < 0 || size_t(series) >= m_model.series.size())
        return text;
    const double value = m_model.series[size_t(series)].points[size_t(point)].value;
    if (value == 0)
        return QString();
    const int kind = m_data.YFieldKind(m_currentY);
    if (kind == ykTime || kind == ykDuration) {
        return m_state.TimeMarkText(text, m_data.FormatValue(m_currentY, value));
    }
    return text;
}

QString TGraphView::axisLabel(double value, const QString &text) const
{
    const int kind = m_data.YFieldKind(m_currentY);
    if (kind != ykTime && kind != ykDuration)
        return text;
    return value == 0 ? QString() : m_data.FormatValue(m_currentY, value);
}

std::vector<TCallOut> TGraphView::CallOuts(const QRectF &bounds, const QPointF &pos) const
{
    std::vector<TCallOut> result;
    const int f = m_currentY;
    for (const TChartHit &hit : HitTest(m_model, bounds, pos)) {
        const int c = hit.series + 1;
        int p = hit.point + 1;
        TCallOut call;
        QString label, value;
        if (m_state.Kind() == int(TChartKind::Area) || m_state.Kind() == int(TChartKind::Line)) {
            label = QStringLiteral("%1 - %2").arg(m_data.Label(1, p, true), m_data.Label(1, p + 1, true));
            value = QStringLiteral("%1 - %2").arg(m_data.FormatValue(f, m_data.Value(f, c, p)),
                                                  m_data.FormatValue(f, m_data.Value(f, c, p + 1)));
        } else {
            if (m_state.Kind() == int(TChartKind::Pie))
                p = pieStart() + hit.point; // the pie holds only the page shown
            label = m_data.Label(1, p, true);
            value = m_data.FormatValue(f, m_data.Value(f, c, p));
        }
        call.lines = {label, value, m_data.YColumnTitle(f, c)};
        while (!call.lines.isEmpty() && call.lines.last().isEmpty())
            call.lines.removeLast();
        result.push_back(call);
    }
    return result;
}
