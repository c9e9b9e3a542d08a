#pragma once
// File names are bytes. A name that is not valid UTF-8 (a Hebrew or Latin-1 name from an old
// system, "\xe9\xf2.srp") cannot be held in a QString: Qt would turn its bytes into U+FFFD and
// open another name. Such a name is reached through its folder, opened once by its own bytes:
// an existing file is named /proc/self/fd/N (any reader opens it as it is), a file still to be
// written /proc/self/fd/D/<name>, and TOutputFile puts the output under the original bytes.
#include <QByteArray>
#include <QString>

// The name to give QFile, QFileInfo and the programs' readers for a name the system gave as
// bytes (a command line argument). Valid UTF-8 comes back as the plain name.
QString LocalFileName(const QByteArray &bytes);

// For a name made by LocalFileName from bytes that are not UTF-8: the folder it stands in
// (/proc/self/fd/D) and the path of the original bytes through that folder, which system
// calls accept. False for every other name.
bool StandInFileName(const QString &name, QString &folder, QByteArray &originalPath);

// Makes the folder (and those above it) unless it exists; a name made by LocalFileName is
// made under its own bytes and becomes the name of the folder made. False when it cannot be.
bool MakeLocalFolder(QString &name);

// Whether the name lies in a folder opened by LocalFileName (such a name is an ordinary file,
// not one of the process's open descriptors such as /dev/stdout).
bool IsInStandInFolder(const QString &name);

// The text with every name made by LocalFileName shown as the name that was given (its bytes
// that are not UTF-8 shown as U+FFFD), for messages.
QString WithGivenNames(QString text);
