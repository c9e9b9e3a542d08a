#pragma once
// Warnings, errors and yes/no questions. Core code asks through these functions; the viewer
// installs its message window (TfrmMessage), the batch tool writes to standard error.
#include <QString>
#include <functional>

enum TMessageKind { mkWarning = 0, mkError = 1, mkInformation = 2, mkConfirmation = 3 };

// Button bits, in their order on screen.
enum TMessageButton {
    mbYes = 1 << 0, mbNo = 1 << 1, mbOK = 1 << 2, mbCancel = 1 << 3,
    mbAbort = 1 << 4, mbRetry = 1 << 5, mbIgnore = 1 << 6, mbAll = 1 << 7,
};

// Results of the buttons.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                    mrYes = 6, mrNo = 7, mrAll = 8 };

using TMessageHandler = std::function<int(const QString &text, const QString &caption, int kind, int buttons)>;

// Replaces the way messages are shown; an empty handler restores the default, which writes
// the text to standard error and answers with the first button of the set.
void SetMessageHandler(TMessageHandler handler);

// Returns the result of the pressed button (mrCancel when closed without one).
int ShowMessageBox(const QString &text, const QString &caption, int kind, int buttons);
void WarnOk(const QString &text);
void ErrorOk(const QString &text);
bool AskYesNo(const QString &text);

// The result of a button bit.
int ButtonResult(int buttonBit);
