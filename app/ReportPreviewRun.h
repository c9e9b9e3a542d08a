#pragma once
// Runs a loaded report into the preview window and shows it until it is closed.
#include <QIcon>
#include <QString>

class TfrmReport;
struct TRunStartResult;

// Returns the file the user asked to open next, or an empty name. The start of the run (its
// message already shown) goes to result when one is given.
QString RunReportPreview(TfrmReport &form, const QIcon &icon, TRunStartResult *result = nullptr);
