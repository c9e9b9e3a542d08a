#pragma once
// The report driver: opens one file as a graph or as a report, and keeps going while the
// preview window asks for another file.
#include <QIcon>
#include <QString>

class QWidget;

// The program's exit status: non-zero when the file could not be shown (no such readable
// file, or no printer to lay the report out for).
int ShowReport(QWidget *applicationWindow, const QIcon &icon, const QString &fileName, const QString &userName);
