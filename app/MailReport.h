#pragma once
// "Send by mail": the preview's pages as a PDF in a private temporary folder, handed to the
// desktop's mail program with xdg-email. The folders are removed when the program ends (the
// mail program may read the file until then).
#include <QString>

class TPageStore;

// Text shown when the mail program cannot be started.
inline constexpr int kTextCannotMail = 9550;

// Whether xdg-email is on the PATH.
bool CanSendMail();

// Writes the PDF (progress window, Cancel) and starts `xdg-email --subject TITLE --attach
// FILE`. A failure is shown; true when the mail program was started.
bool SendPagesByMail(const TPageStore &store, const QString &title, const QString &author);
