#pragma once
// What both graph windows let the user choose about a chart's look: its kind, the 3D view and
// its depth, and the marks on its points. The graph and traffic views each hold one.
#include "graph/ChartModel.h"

#include <QString>

class TChartViewState
{
public:
    TChartViewState() = default;
    TChartViewState(int kind, bool view3D) : m_kind(kind), m_view3D(view3D) {}

    int Kind() const { return m_kind; }
    bool View3D() const { return m_view3D; }
    int Percent3D() const { return m_percent3D; }
    int MarksStyle() const { return m_marksStyle; }

    // A kind outside 0..6 is ignored; true when the kind changed.
    bool SetKind(int k);
    void Set3D(bool on) { m_view3D = on; }
    // Marks styles run 0..5; the marks button steps through them and starts again.
    void SetMarksStyle(int style);
    void NextMarksStyle() { SetMarksStyle((m_marksStyle + 1) % 6); }
    // The gallery dialog's values: the kind (when valid), 3D and a depth of 1..100 percent.
    void SetGallery(int newKind, bool newView3D, int percent);
    // Shows the 3D view, depth and marks style on the model.
    void ApplyTo(TChartModel &model) const;
    // A mark of a time or duration value: the styles that show the value show it formatted.
    QString TimeMarkText(const QString &text, const QString &formattedValue) const;

private:
    int m_kind = 0;
    bool m_view3D = true;
    int m_percent3D = 20;
    int m_marksStyle = msNone;
};
