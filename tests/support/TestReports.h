#pragma once
// Saved reports written for tests.
#include <QByteArray>
#include <QList>

// A saved report from its lines (after the header line), scrambled when asked; the header
// line is built from the options text and required version and is always scrambled.
QByteArray MakeReport(const QList<QByteArray> &lines, bool scrambled = false, const QByteArray &requiredVersion = "1");
