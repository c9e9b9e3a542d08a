#pragma once
// The ".srp" file association, the freedesktop.org way: a shared-mime-info package file for
// the file type and a desktop entry that opens it with the viewer, both in the user's data
// directory ($XDG_DATA_HOME, default ~/.local/share).
#include <QString>

inline constexpr const char *kSrpMimeType = "application/x-tarvel-report";

struct TFileAssociation {
    QString mimePackageFile; // .../mime/packages/tarvel-srp.xml
    QString desktopFile;     // .../applications/tarvel-viewer.desktop
    QString iconFile;        // .../icons/hicolor/64x64/apps/tarvel-viewer.png
};

// The files for the given data home (empty: $XDG_DATA_HOME or ~/.local/share).
TFileAssociation FileAssociationFiles(const QString &dataHome = QString());

// The desktop entry that opens reports with that executable.
QString DesktopEntryText(const QString &executable);
QString MimePackageText();

// Writes the files whose content differs from what is there, then asks the desktop's
// databases to refresh. The command names the executable in the data directory when one is
// there (a client opens reports with the server's copy), else the running one. Failures
// are ignored: the viewer goes on. Returns whether anything was written.
bool RegisterFileType(const QString &dataDir, const QString &runningExecutable,
                      const QString &dataHome = QString());

// Whether the running program belongs to an installation that carries its own desktop entry
// and file type (an installed package): then the viewer registers nothing itself.
bool InstallationRegistersFileType();
// An installed copy takes back a registration that a copy run from elsewhere wrote for the
// user: that desktop entry has the same name, so it would hide the installed one from the menu
// and open reports with the other copy. Only files holding exactly what RegisterFileType
// writes are removed. Returns whether anything was removed.
bool RemoveUserRegistration(const QString &dataHome = QString());
// The same for an installation's shared data folder (share/tarvel/), empty when not installed.
bool InstallationRegistersFileType(const QString &sharedDataDir);
