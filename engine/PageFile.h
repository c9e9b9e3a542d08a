#pragma once
// Page files (".QRP"): the pages of a report saved as our own versioned container, so that
// they can be opened again without the report file.
#include <QString>

class TPageStore;

// Writes all pages; the target is replaced only when the whole file was written (a device is
// written into, a link written through; see TOutputFile).
bool SavePagesToFile(const TPageStore &store, const QString &fileName);
// Whether the file is a regular file that starts as a page file does.
bool IsPageFile(const QString &fileName);
// Loads the pages of a page file into an empty store. False (and no pages) for a file that
// is not a page file (nor a regular file), is of a newer version, or is damaged. Nothing is
// allocated beyond what the file's remaining bytes could describe.
bool LoadPagesFromFile(TPageStore &store, const QString &fileName);
