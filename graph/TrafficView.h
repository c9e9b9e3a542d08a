#pragma once
// What the traffic graph window shows and how its controls change it, without widgets: the
// current page and multi-Y item, kind, 3D, marks, colours, titles and fonts, and the chart
// model (with half-interval averaging of short pages for curves).
#include "graph/ChartModel.h"
#include "graph/ChartViewState.h"
#include "graph/GraphSettings.h"
#include "graph/GraphView.h"
#include "graph/TrafficGraphData.h"

class TProgressSink;

class TTrafficView
{
public:
    // Rows up to which curves are drawn through the middle of each interval.
    static constexpr int kAveragingRows = 48;

    TTrafficView();
    explicit TTrafficView(const TIntlSettings &formatter);
    // The chart model's handlers refer to the view: it is never copied.
    TTrafficView(const TTrafficView &) = delete;
    TTrafficView &operator=(const TTrafficView &) = delete;

    bool LoadFile(const QString &fileName, TProgressSink *progress = nullptr,
                  const QString &settingsFile = QString());
    void Activate() { SelectMultiY(m_currentMultiY); }

    TTrafficGraphData &Data() { return m_data; }
    const TTrafficGraphData &Data() const { return m_data; }
    const TChartModel &Model() const { return m_model; }

    int CurrentPage() const { return m_page; }
    void ShowPage(int page);
    bool NextPageEnabled() const { return m_page < m_data.PageCount() - 1; }
    bool PreviousPageEnabled() const { return m_page > 0; }
    int CurrentMultiY() const { return m_currentMultiY; }
    void SelectMultiY(int m);

    int Kind() const { return m_state.Kind(); }
    void ChangeKind(int k);
    bool View3D() const { return m_state.View3D(); }
    void Set3D(bool on);
    int Percent3D() const { return m_state.Percent3D(); }
    int MarksStyle() const { return m_state.MarksStyle(); }
    void NextMarksStyle();
    void SetMarksStyle(int style);
    void SetGallery(int kind, bool view3D, int percent);
    bool AveragingMode() const { return m_averaging; }

    // The average, lowest and highest of the data series, drawn as lines when switched on.
    void SetStatistics(bool average, bool lowest, bool highest);
    bool StatisticActive(int which) const { return m_statistics[which]; }

    const TGraphSettings &Settings() const { return m_settings; }
    void SetSettings(const TGraphSettings &settings);
    const TGraphTitles &Titles() const { return m_titles; }
    void SetTitles(const TGraphTitles &titles) { m_titles = titles; }
    void SaveSettings() const;
    void BuildSeries(bool resetMarks);
    void ApplyAll();

    std::vector<TCallOut> CallOuts(const QRectF &bounds, const QPointF &pos) const;

private:
    void prepareModel();
    int yFieldAt(int position) const; // the multi-Y item's Y field at that position (from 1), or 0
    int decidingYField() const;
    QString markText(int series, int point, const QString &text) const;
    QString axisLabel(double value, const QString &text) const;

    TTrafficGraphData m_data;
    TChartModel m_model;
    TGraphSettings m_settings;
    TGraphTitles m_titles;
    QString m_settingsFile;
    int m_page = 0;
    int m_currentMultiY = 1;
    std::vector<int> m_seriesFields; // Y field of each data series
    TChartViewState m_state{int(TChartKind::Area), false};
    bool m_averaging = false;
    bool m_statistics[3] = {false, false, false};
};
