#pragma once
// The preview's pages saved as a PDF behind the progress window, with Cancel: the target is
// replaced only by a complete file. Shared by "save as PDF" and the mail button.
#include <QString>

class TPageStore;

enum class TPdfSaveStatus { Done, Cancelled, Failed };

// The document's author is the suite's user. A failure is shown (text 9502 with the name).
TPdfSaveStatus SavePagesAsPdf(const TPageStore &store, const QString &target, const QString &author);
