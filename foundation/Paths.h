#pragma once
// Where the suite's shared files live. Every directory value ends in "/".
#include <QString>

struct TInstallPaths {
    QString programDir;   // the executable's directory, or TARVEL_HOME when set
    QString dataDir;      // shared CLIENT.PAR, TRVL.PAR, temporary files
    QString webDir;       // dataDir + "Web/"
    QString webImagesDir; // dataDir + "Web/HtDocs/Images/"
    bool clientServer = false;
};

// Reads [general] of CLIENT.PAR in the program directory and sets the paths. Run at start.
void ResolvePaths();
const TInstallPaths &InstallPaths();
inline const QString &ProgramDir() { return InstallPaths().programDir; }
inline const QString &DataDir() { return InstallPaths().dataDir; }
// The directory of WIN.INI: $WINDIR when set, else the data directory.
QString WindowsDir();

// The file of that name in the directory; the suite writes names like CLIENT.PAR in any letter
// case, so an existing file whose name differs only in case is found too.
QString FileInDir(const QString &dir, const QString &name);
QString ClientParInProgramDir();
QString ClientParInDataDir();
QString TrvlPar();

// Qt wants a private runtime folder; without XDG_RUNTIME_DIR it warns on every start. Names
// the folder Qt would fall back to (created private to the user) before Qt is started.
void EnsureRuntimeDir();
