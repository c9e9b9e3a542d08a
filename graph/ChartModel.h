#pragma once
// What a chart shows, as plain values: axes, walls, 3D view, titles, legend, series and
// their points, marks. The graph windows fill it; the chart painter draws it onto any
// QPainter (window, printer, bitmap), so all of them show the same picture.
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

enum class TChartKind { Bar = 0, HorizBar = 1, Area = 2, Line = 3, Stairs = 4, Points = 5, Pie = 6 };
inline bool IsBarKind(TChartKind k) { return k == TChartKind::Bar || k == TChartKind::HorizBar; }

// Mark texts: none, value, percent, label, label and value, label and percent.
enum TMarksStyle { msNone = 0, msValue = 1, msPercent = 2, msLabel = 3, msLabelValue = 4, msLabelPercent = 5 };

struct TChartPoint {
    double value = 0;
    QString label;
    QColor color; // invalid: the series colour
};

struct TChartSeries {
    TChartKind kind = TChartKind::Bar;
    QString title;
    QColor color = Qt::blue;
    std::vector<TChartPoint> points;
    bool overlapBars = false;  // bars of several series at one place instead of side by side
    int barWidthPercent = 75;
    int lineWidth = 1;
    bool circled = true;       // pie: round whatever the rectangle
    bool darkShading = true;   // pie in 3D: darker sides
    bool areaLines = true;     // area: outline drawn
    bool clipMarks = false;
};

struct TChartAxis {
    double minimum = 0;
    double maximum = 1;
    double increment = 0;      // 0: a "nice" step chosen from the room for labels
    int labelSpacing = 100;    // percent of a label's size kept free between labels
    int labelAngle = 0;        // 0 or 90
    bool gridVisible = false;
    QString title;
    QFont titleFont;
    QColor titleColor = Qt::black;
    QFont labelsFont;
    QColor labelsColor = Qt::black;
    int labelWidth = 0;        // room reserved for the labels of a vertical axis; 0: measured
};

struct TChartModel {
    QColor color = QColor(192, 192, 192);   // the whole panel
    QColor backColor = QColor(128, 128, 128); // inside the walls; invalid: none
    QColor wallColor = QColor(128, 128, 128);
    int wallSize = 10;
    bool view3D = true;
    int depthPercent = 20;

    QStringList title;
    QFont titleFont;
    QColor titleColor = Qt::black;
    QString foot;
    QFont footFont;
    QColor footColor = Qt::black;

    TChartAxis leftAxis;
    TChartAxis bottomAxis;

    bool legendVisible = false;
    int legendColorWidth = 30;
    QFont legendFont;

    int marksStyle = msNone;
    // Replaces a mark's text (series index, point index, default text); empty hides the mark.
    std::function<QString(int series, int point, const QString &text)> markText;
    // Replaces a value-axis label (value, default text).
    std::function<QString(double value, const QString &text)> axisLabel;

    std::vector<TChartSeries> series;

    // The kind that decides the axes: that of the first series (bars when none).
    TChartKind Kind() const { return series.empty() ? TChartKind::Bar : series.front().kind; }
};

// The 16 colours of the option dialogs and of random series colours, index 0..15.
QColor PaletteColor(int index);
// Axis values are written "###0.###": up to three decimals, no grouping.
QString FormatAxisValue(double value);
