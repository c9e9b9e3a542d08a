#pragma once
// Where the suite's shared files live. Every directory value ends in "/".
#include <QString>
#include <QStringList>

struct TInstallPaths {
    QString programDir;   // the installation folder: see ChooseProgramDir
    QString dataDir;      // shared CLIENT.PAR, TRVL.PAR, temporary files
    QString webDir;       // dataDir + "Web/"
    QString webImagesDir; // dataDir + "Web/HtDocs/Images/"
    bool clientServer = false;
};

// Reads [general] of CLIENT.PAR in the program directory and sets the paths. Run at start.
// Gives a new per-user settings folder its default files first (see ChooseProgramDir).
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

// The installation folder, the first of these that applies:
//  1. the folder named by TARVEL_HOME;
//  2. the executable's folder when it holds CLIENT.PAR (a suite installation, a sample copy);
//  3. for an installed copy (sharedDataDir not empty): the user's settings folder,
//     $XDG_CONFIG_HOME/tarvel/ (~/.config/tarvel/ when unset or not absolute);
//  4. the executable's folder (a build folder).
struct TProgramDirSources {
    QString tarvelHome;     // $TARVEL_HOME
    QString executableDir;  // the running executable's folder
    QString sharedDataDir;  // the installation's share/tarvel/, empty when not installed
    QString configHome;     // $XDG_CONFIG_HOME
    QString homeDir;        // the user's home folder
};
struct TProgramDirChoice {
    QString dir;            // ends in "/"
    bool userSettings = false; // case 3: the folder is the user's, seeded from sharedDataDir
};
TProgramDirChoice ChooseProgramDir(const TProgramDirSources &sources);

// The running executable's folder, whatever TARVEL_HOME says.
QString ExecutableDir();
// share/tarvel/ of the installation the executable belongs to (the default settings files,
// the language table and icons), or empty when the executable does not run from one.
QString SharedDataDir();

// The default settings files a new installation folder receives.
QStringList DefaultSettingsFiles();
// Copies the default files that the folder lacks from defaultsDir, creating the folder.
// CLIENT.PAR comes last, so a folder holding it has the whole set. Never replaces a file.
// False when the folder or a file could not be written.
bool SeedSettingsDir(const QString &dir, const QString &defaultsDir);

// The environment variables that choose the folders, as --help and the manual pages tell them.
inline constexpr const char *kPathsEnvironmentHelp =
    "  TARVEL_HOME      the installation folder (CLIENT.PAR, TRVL.PAR, TRNSFONT.INI, the logo,\n"
    "                   temporary files). Without it: the program's own folder when that holds\n"
    "                   CLIENT.PAR, else (an installed copy) $XDG_CONFIG_HOME/tarvel, which\n"
    "                   receives the default settings files on first use\n"
    "  XDG_CONFIG_HOME  the user's settings folder (default ~/.config)\n"
    "  WINDIR           the folder of WIN.INI (default: the installation folder)\n";
