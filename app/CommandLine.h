#pragma once
// The viewer's command line: one report file name, "/INSTALL", or nothing.
#include <QString>
#include <QStringList>

// All arguments after the program name joined by single spaces, so an unquoted path with
// spaces arrives whole. No argument gives an empty name.
QString JoinCommandLine(const QStringList &arguments);
// "/INSTALL" anywhere in the name, in any letter case: only register the file type.
bool IsInstallRequest(const QString &commandLineName);
// Started by an object broker: show nothing.
bool IsEmbeddingRequest(const QString &commandLineName);

// "--help" (or "-h") or "--version" as the only argument: the viewer answers on standard
// output and ends without a window.
enum class TViewerOption { None, Help, Version };
TViewerOption ViewerOption(const QStringList &arguments);
QString ViewerHelpText();
QString ViewerVersionText();
