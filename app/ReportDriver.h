#pragma once
// The report driver: opens one file as a graph or as a report, and keeps going while the
// preview window asks for another file.
#include <QIcon>
#include <QString>

class QWidget;

void ShowReport(QWidget *applicationWindow, const QIcon &icon, const QString &fileName, const QString &userName);
