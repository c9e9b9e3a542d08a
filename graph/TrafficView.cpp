#include "graph/TrafficView.h"

#include "foundation/DisplayText.h"
#include "graph/ChartAxis.h"
#include "graph/ChartPainter.h"

#include <QFontMetricsF>
#include <cmath>

TTrafficView::TTrafficView() { prepareModel(); }

TTrafficView::TTrafficView(const TIntlSettings &formatter)
    : m_data(formatter)
{
    prepareModel();
}

void TTrafficView::prepareModel()
{
    m_model = TChartModel();
    m_model.view3D = false;
    m_model.legendColorWidth = 30;
    m_settings = TGraphSettings::Defaults(true);
    m_model.markText = [this](int s, int p, const QString &t) { return markText(s, p, t); };
    m_model.axisLabel = [this](double v, const QString &t) { return axisLabel(v, t); };
}

bool TTrafficView::LoadFile(const QString &fileName, TProgressSink *progress, const QString &settingsFile)
{
    if (!m_data.LoadFromFile(fileName, progress))
        return false;
    m_settingsFile = settingsFile;
    m_settings = TGraphSettings::Defaults(true);
    if (!settingsFile.isEmpty())
        m_settings.Read(settingsFile, QStringLiteral("TrafficGraphInfo"));
    m_settings.colors.useRandom = false;
    m_page = 0;
    m_titles.lines = m_data.HeaderLines();
    m_titles.bottom = m_data.PageCaption(0).left(200);
    m_currentMultiY = 1;
    return true;
}

void TTrafficView::SetSettings(const TGraphSettings &settings)
{
    m_settings = settings;
    m_settings.colors.useRandom = false;
}

void TTrafficView::SaveSettings() const
{
    if (!m_settingsFile.isEmpty())
        m_settings.Write(m_settingsFile, QStringLiteral("TrafficGraphInfo"));
}

void TTrafficView::ShowPage(int page)
{
    m_page = std::clamp(page, 0, std::max(0, m_data.PageCount() - 1));
    BuildSeries(false);
    m_titles.bottom = m_data.PageCaption(m_page).left(200);
    ApplyAll();
}

void TTrafficView::SelectMultiY(int m)
{
    m_currentMultiY = m;
    m_titles.left = m_data.MultiYItems().Title(m).left(200);
    BuildSeries(true);
}

void TTrafficView::ChangeKind(int k)
{
    if (!m_state.SetKind(k))
        return;
    SaveSettings();
    BuildSeries(true);
}

void TTrafficView::Set3D(bool on)
{
    m_state.Set3D(on);
    ApplyAll();
}

void TTrafficView::NextMarksStyle()
{
    m_state.NextMarksStyle();
    ApplyAll();
}

void TTrafficView::SetMarksStyle(int style)
{
    m_state.SetMarksStyle(style);
    ApplyAll();
}

void TTrafficView::SetGallery(int kind, bool view3D, int percent)
{
    m_state.SetGallery(kind, view3D, percent);
    SaveSettings();
    BuildSeries(true);
}

void TTrafficView::SetStatistics(bool average, bool lowest, bool highest)
{
    m_statistics[0] = average;
    m_statistics[1] = lowest;
    m_statistics[2] = highest;
    BuildSeries(false);
}

int TTrafficView::yFieldAt(int position) const
{
    const TMultiYItem *item = m_data.MultiYItems().Item(m_currentMultiY);
    if (!item || position < 1 || position > int(item->YFields.size()))
        return 0;
    const int y = item->YFields[size_t(position - 1)];
    return m_data.YFields().Item(y) ? y : 0;
}

int TTrafficView::decidingYField() const { return m_seriesFields.empty() ? 0 : m_seriesFields.back(); }

void TTrafficView::BuildSeries(bool resetMarks)
{
    m_model.series.clear();
    m_seriesFields.clear();
    const TrafficPages::TPageData *page = m_data.Page(m_page);
    const int n = page ? page->RowCount() : 0;
    const TChartKind kind = TChartKind(m_state.Kind());
    // A page of one row has no interval to halve: it is drawn without averaging.
    m_averaging = n <= kAveragingRows && n >= 2 && !IsBarKind(kind);
    const TIntlSettings &fmt = m_data.Formatter();
    const TMultiYItem *item = m_data.MultiYItems().Item(m_currentMultiY);
    const int positions = item ? int(item->YFields.size()) : 0;
    for (int pos = 1; pos <= positions; ++pos) {
        const int y = yFieldAt(pos);
        if (y == 0)
            continue; // a Y field number without a Y field behind it
        TChartSeries s;
        s.kind = kind;
        s.title = m_data.YFields().Item(y)->Title;
        s.lineWidth = kind == TChartKind::Line ? 2 : 1;
        s.areaLines = m_state.View3D();
        auto value = [&](int r) { return page->Row(r).Get(y); };
        if (m_averaging) {
            const double half = (fmt.ParseTime(page->RowKey(1)) - fmt.ParseTime(page->RowKey(0))) / 2;
            s.points.push_back({value(0), page->RowKey(0), QColor()});
            for (int i = 0; i + 1 < n; ++i) {
                s.points.push_back({value(i), fmt.FormatMinutes(fmt.ParseTime(page->RowKey(i)) + half), QColor()});
                s.points.push_back({(value(i) + value(i + 1)) / 2, page->RowKey(i + 1), QColor()});
            }
            s.points.push_back({value(n - 1), fmt.FormatMinutes(fmt.ParseTime(page->RowKey(n - 1)) + half), QColor()});
            s.points.push_back({value(n - 1), QString(), QColor()});
        } else {
            for (int r = 0; r < n; ++r)
                s.points.push_back({value(r), page->RowKey(r), QColor()});
        }
        m_model.series.push_back(s);
        m_seriesFields.push_back(y);
    }
    if (resetMarks)
        m_state.SetMarksStyle(kind == TChartKind::Pie ? msLabelPercent : msNone);
    ApplyAll();
    // Statistic lines over all data series.
    const size_t dataSeries = m_model.series.size();
    static const int titles[3] = {126, 127, 128};
    static const TColor colors[3] = {65535, 32768, 32768};
    for (int which = 0; which < 3 && dataSeries > 0 && kind != TChartKind::Pie; ++which) {
        if (!m_statistics[which])
            continue;
        TChartSeries st;
        st.kind = TChartKind::Line;
        st.title = DisplayText(titles[which]);
        st.color = ToQColor(colors[which]);
        st.lineWidth = 2;
        for (size_t i = 0; i < m_model.series.front().points.size(); ++i) {
            double sum = 0, low = 0, high = 0;
            for (size_t s = 0; s < dataSeries; ++s) {
                const double v = m_model.series[s].points[i].value;
                sum += v;
                low = s == 0 ? v : std::min(low, v);
                high = s == 0 ? v : std::max(high, v);
            }
            const double v = which == 0 ? sum / double(dataSeries) : which == 1 ? low : high;
            st.points.push_back({v, m_model.series.front().points[i].label, QColor()});
        }
        m_model.series.push_back(st);
    }
}

void TTrafficView::ApplyAll()
{
    const TChartKind kind = TChartKind(m_state.Kind());
    const bool pie = kind == TChartKind::Pie;
    m_state.ApplyTo(m_model);
    for (TChartSeries &s : m_model.series) {
        s.areaLines = m_state.View3D();
        s.circled = !m_state.View3D();
        s.darkShading = !m_state.View3D();
    }
    m_model.leftAxis.gridVisible = m_settings.horizontalGrid;
    m_model.bottomAxis.gridVisible = m_settings.verticalGrid;
    // Colours: one per series (this window never colours points at random).
    const TGraphColors &colors = m_settings.colors;
    m_model.color = ToQColor(colors.background);
    m_model.wallColor = ToQColor(colors.walls);
    m_model.backColor = pie ? QColor() : ToQColor(colors.walls);
    for (size_t i = 0; i < m_model.series.size() && i < m_seriesFields.size(); ++i)
        m_model.series[i].color = ToQColor(colors.series[i % 10]);
    // Titles.
    m_model.title = m_titles.lines;
    m_model.title.append(QString());
    const QString twoSpaces = QStringLiteral("  ");
    if (kind == TChartKind::HorizBar) {
        m_model.leftAxis.title = m_titles.bottom + twoSpaces;
        m_model.foot = m_titles.left;
    } else {
        m_model.leftAxis.title = m_titles.left + twoSpaces;
        m_model.foot = m_titles.bottom;
    }
    // Axes.
    const TrafficPages::TPageData *page = m_data.Page(m_page);
    const int n = page ? page->RowCount() : 0;
    const double max = m_data.MultiYMax(m_currentMultiY, m_page);
    const double increment = TrafficValueIncrement(max, n);
    m_model.legendVisible = m_model.series.size() > 1;
    if (kind == TChartKind::HorizBar) {
        m_model.leftAxis.minimum = -0.5;
        m_model.leftAxis.maximum = n - 0.5;
        m_model.leftAxis.labelSpacing = 5;
        m_model.leftAxis.increment = 0;
        m_model.bottomAxis.minimum = 0;
        m_model.bottomAxis.maximum = 1.1 * max;
        m_model.bottomAxis.labelSpacing = 100;
        m_model.bottomAxis.increment = increment;
    } else {
        if (m_averaging) {
            m_model.bottomAxis.minimum = 0;
            m_model.bottomAxis.maximum = 2.0 * n;
        } else if (kind == TChartKind::Bar) {
            m_model.bottomAxis.minimum = -0.5;
            m_model.bottomAxis.maximum = n - 0.5;
        } else {
            m_model.bottomAxis.minimum = 0;
            m_model.bottomAxis.maximum = std::max(0, n - 1);
        }
        m_model.bottomAxis.labelSpacing = 25;
        m_model.bottomAxis.increment = 0;
        m_model.leftAxis.minimum = 0;
        m_model.leftAxis.maximum = 1.1 * max;
        m_model.leftAxis.labelSpacing = 100;
        m_model.leftAxis.increment = increment;
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
    if (!pie) {
        const QFontMetricsF fm(labelsFont);
        double width = 0;
        if (kind == TChartKind::HorizBar) {
            for (const TChartSeries &s : m_model.series)
                for (const TChartPoint &p : s.points)
                    width = std::max(width, fm.horizontalAdvance(p.label));
        } else if (page) {
            for (int y = 1; y <= m_data.YFields().Count(); ++y)
                width = std::max(width, fm.horizontalAdvance(m_data.FormatValue(y, page->Maxima().Get(y))));
        }
        m_model.leftAxis.labelWidth = int(std::ceil(width + fm.horizontalAdvance(QLatin1Char('W'))));
    }
}

QString TTrafficView::markText(int series, int point, const QString &text) const
{
    if (series < 0 || size_t(series) >= m_model.series.size())
        return text;
    const double value = m_model.series[size_t(series)].points[size_t(point)].value;
    if (value == 0)
        return QString();
    const int y = decidingYField();
    const int kind = m_data.YFieldKind(y);
    if (kind == ykTime || kind == ykDuration) {
        return m_state.TimeMarkText(text, m_data.FormatValue(y, value));
    }
    return text;
}

QString TTrafficView::axisLabel(double value, const QString &text) const
{
    if (value == 0)
        return QString();
    const int y = decidingYField();
    const int kind = m_data.YFieldKind(y);
    return kind == ykTime || kind == ykDuration ? m_data.FormatValue(y, value) : text;
}

std::vector<TCallOut> TTrafficView::CallOuts(const QRectF &bounds, const QPointF &pos) const
{
    std::vector<TCallOut> result;
    const TrafficPages::TPageData *page = m_data.Page(m_page);
    if (!page || page->RowCount() == 0)
        return result;
    const std::vector<TChartHit> hits = HitTest(m_model, bounds, pos);
    for (auto it = hits.rbegin(); it != hits.rend(); ++it) {
        if (size_t(it->series) >= m_seriesFields.size())
            continue; // statistic lines have no rows behind them
        const int y = m_seriesFields[size_t(it->series)];
        const int last = page->RowCount() - 1;
        const int i = it->point;
        int a = std::min(m_averaging ? i / 2 : i, last);
        int b = a;
        TCallOut call;
        if (m_state.Kind() == int(TChartKind::Area) || m_state.Kind() == int(TChartKind::Line)) {
            if (m_averaging)
                b = std::min(i / 2 + 1, last);
            call.lines = {QStringLiteral("%1 - %2").arg(page->RowKey(a), page->RowKey(b)),
                          QStringLiteral("%1 - %2").arg(m_data.FormatValue(y, page->Row(a).Get(y)),
                                                        m_data.FormatValue(y, page->Row(b).Get(y)))};
        } else {
            call.lines = {page->RowKey(a), m_data.FormatValue(y, page->Row(a).Get(y))};
        }
        result.push_back(call);
        break;
    }
    return result;
}
