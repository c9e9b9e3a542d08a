#pragma once
// Process-wide values set at start.
#include <QString>

// The viewer always runs with administrator rights: every report that opens is shown.
extern bool AdminMode;
// The viewer's own version text and its major version, from the project's version.
inline constexpr const char *kViewerVersion = TARVEL_VERSION;
inline constexpr int kViewerMajorVersion = TARVEL_VERSION_MAJOR;
inline constexpr const char *kUserName = "ADMIN";
