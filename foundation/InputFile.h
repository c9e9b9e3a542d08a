#pragma once
// Files the programs read come from elsewhere: a report, a page file or a picture must be a
// regular file. A FIFO would block for ever, a device such as /dev/zero never end, a folder
// cannot be read; each is refused at once, before anything is opened for reading.
#include <QByteArray>
#include <QString>

// Missing: no such file (or a dangling link); Denied: no permission to read it; Unreadable:
// any other failure to open or read, which may pass (a file being replaced, too many files open).
enum class TInputCheck { Ok, Missing, NotRegular, Denied, Unreadable, TooLarge };

// Whether fileName (symbolic links followed) is a regular file that can be opened for reading.
TInputCheck CheckInputFile(const QString &fileName);

// The whole of a regular file of at most maxBytes; nothing is read from any other kind of file.
TInputCheck ReadSmallRegularFile(const QString &fileName, qint64 maxBytes, QByteArray &bytes);

// Whether the two names are the same file (same device and inode): through "./", symbolic
// links and hard links alike. False when either does not exist.
bool IsSameFile(const QString &a, const QString &b);

// Language texts of the refusals, with the file name as their %s.
inline constexpr int kInputNotRegularText = 9590;
inline constexpr int kOutputIsReportText = 9591;
