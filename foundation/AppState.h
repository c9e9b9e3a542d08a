#pragma once
// Process-wide values set at start.
#include <QString>

// The viewer always runs with administrator rights: every report that opens is shown.
extern bool AdminMode;
// The viewer's own version text and its major version.
inline constexpr const char *kViewerVersion = "1.00";
inline constexpr int kViewerMajorVersion = 1;
inline constexpr const char *kUserName = "ADMIN";
