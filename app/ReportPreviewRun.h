#pragma once
// Runs a loaded report into the preview window and shows it until it is closed.
#include <QIcon>
#include <QString>

class TfrmReport;

// Returns the file the user asked to open next, or an empty name.
QString RunReportPreview(TfrmReport &form, const QIcon &icon);
