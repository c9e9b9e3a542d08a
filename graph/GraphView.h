#pragma once
// What the graph window shows and how its controls change it, without widgets: the current
// Y field, kind, 3D, marks, paging through points and groups, colours, titles and fonts, and
// the chart model built from them. The window (TfrmGraph) is a toolbar and a chart panel
// around this; the batch tool draws the same model into PNG files.
#include "graph/ChartModel.h"
#include "graph/ChartViewState.h"
#include "graph/GraphData.h"
#include "graph/GraphSettings.h"

#include <QRectF>
#include <functional>
#include <random>

class TProgressSink;

// Toolbar field buttons, in their order.
enum TFieldButton { fbCalls = 0, fbTime = 1, fbPulses = 2, fbCost = 3, fbExtensions = 4 };

struct TCallOut {
    QStringList lines; // label, value, column title (empty ones left out from the bottom)
};

class TGraphView
{
public:
    TGraphView();
    explicit TGraphView(const TIntlSettings &formatter);
    // The chart model's handlers refer to the view: it is never copied.
    TGraphView(const TGraphView &) = delete;
    TGraphView &operator=(const TGraphView &) = delete;

    // Reads the file and prepares the view; settingsFile empty: defaults only.
    bool LoadFile(const QString &fileName, TProgressSink *progress = nullptr,
                  const QString &settingsFile = QString());
    // What the window runs when it becomes active.
    void Activate();

    TGraphData &Data() { return m_data; }
    const TGraphData &Data() const { return m_data; }
    const TChartModel &Model() const { return m_model; }

    // Field selection.
    void BuildFieldSelector();
    bool SelectorMode() const { return m_selectorMode; }
    int FieldButton(int button) const { return m_fieldButtons[button]; }
    int CurrentYField() const { return m_currentY; }
    void SelectYField(int f);

    // Kinds, 3D, marks, legend.
    int Kind() const { return m_state.Kind(); }
    void ChangeKind(int k);
    void KindButton(int k);       // bars .. points
    void PieButton();
    bool PieEnabled() const { return m_pieEnabled; }
    bool AreaKindsEnabled() const { return PointsPerPage() != 1; }
    bool LegendEnabled() const { return m_state.Kind() == int(TChartKind::Pie); }
    bool View3D() const { return m_state.View3D(); }
    void Set3D(bool on);
    int Percent3D() const { return m_state.Percent3D(); }
    int MarksStyle() const { return m_state.MarksStyle(); }
    void NextMarksStyle();
    void SetMarksStyle(int style);
    bool LegendShown() const { return m_legendShown; }
    void ToggleLegend();
    // The gallery dialog's values: kind, 3D and percent together.
    void SetGallery(int kind, bool view3D, int percent);

    // Pages of points and groups.
    int PointsPerPage() const;
    void PointsPerPageChanged(int value);
    void UpdatePointsPerPage();
    void ApplyPaging(bool keepPosition);
    void Scroll(double x);
    void PreviousPage();
    void NextPage();
    bool NextPageEnabled() const { return m_nextPage; }
    bool PreviousPageEnabled() const { return m_previousPage; }
    void ChangeGroup(int delta);
    bool NextGroupEnabled() const { return m_data.CurrentGroup() < m_data.GroupCount() - 1; }
    bool PreviousGroupEnabled() const { return m_data.CurrentGroup() > 0; }
    double SavedScrollPosition() const { return m_savedScroll; }

    // Look.
    const TGraphSettings &Settings() const { return m_settings; }
    void SetSettings(const TGraphSettings &settings) { m_settings = settings; }
    const TGraphTitles &Titles() const { return m_titles; }
    void SetTitles(const TGraphTitles &titles) { m_titles = titles; }
    void SaveSettings() const;
    void ApplyAll();
    void ApplyColours();
    void BuildSeries();
    // Random colours come from this generator (tests seed it).
    void SetRandomSeed(unsigned seed) { m_random.seed(seed); }

    // The call-outs for a double click at pos on a chart drawn into bounds.
    std::vector<TCallOut> CallOuts(const QRectF &bounds, const QPointF &pos) const;

private:
    void createSeries(int count);
    void prepareModel();
    void updatePageButtons();
    TChartAxis &categoryAxis();
    QString markText(int series, int point, const QString &text) const;
    QString axisLabel(double value, const QString &text) const;
    int pieStart() const;

    TGraphData m_data;
    TChartModel m_model;
    TGraphSettings m_settings;
    TGraphTitles m_titles;
    QString m_settingsFile;
    int m_currentY = 1;
    std::vector<int> m_pointsPerPage;
    TChartViewState m_state{0, true};
    bool m_legendShown = true;
    double m_savedScroll = 0;
    bool m_selectorMode = false;
    int m_fieldButtons[5] = {0, 0, 0, 0, 0};
    bool m_pieEnabled = true;
    bool m_nextPage = false;
    bool m_previousPage = false;
    std::vector<QColor> m_seriesColors; // from ApplyColours, kept when series are rebuilt
    bool m_colorEachPoint = false;
    std::mt19937 m_random{std::random_device{}()};
};

// The automatic colour of series (or pie slice) i when no colour was chosen.
QColor AutomaticSeriesColor(int i);
