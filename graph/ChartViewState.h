#pragma once
// What both graph windows let the user choose about a chart's look: its kind, the 3D view and
// its depth, and the marks on its points. The graph and traffic views each hold one.
#include "graph/ChartModel.h"

#include <QString>

struct TChartViewState {
    int kind = 0;
    bool view3D = true;
    int percent3D = 20;
    int marksStyle = msNone;

    // A kind outside 0..6 is ignored; true when the kind changed.
    bool SetKind(int k);
    // Marks styles run 0..5; the marks button steps through them and starts again.
    void SetMarksStyle(int style);
    void NextMarksStyle() { SetMarksStyle((marksStyle + 1) % 6); }
    // The gallery dialog's values: the kind (when valid), 3D and a depth of 1..100 percent.
    void SetGallery(int newKind, bool newView3D, int percent);
    // Shows the 3D view, depth and marks style on the model.
    void ApplyTo(TChartModel &model) const;
    // A mark of a time or duration value: the styles that show the value show it formatted.
    QString TimeMarkText(const QString &text, const QString &formattedValue) const;
};
