#include "foundation/Messages.h"

#include <cstdio>

namespace {

int defaultHandler(const QString &text, const QString &, int, int buttons)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    for (int bit = 0; bit < 8; ++bit)
        if (buttons & (1 << bit))
            return ButtonResult(1 << bit);
    return mrCancel;
}

TMessageHandler &handler()
{
    static TMessageHandler h = defaultHandler;
    return h;
}

} // namespace

int ButtonResult(int buttonBit)
{
    switch (buttonBit) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    default: return mrNone;
    }
}

void SetMessageHandler(TMessageHandler h) { handler() = h ? std::move(h) : TMessageHandler(defaultHandler); }

int ShowMessageBox(const QString &text, const QString &caption, int kind, int buttons)
{
    return handler()(text, caption, kind, buttons);
}

void WarnOk(const QString &text) { ShowMessageBox(text, QString(), mkWarning, mbOK); }
void ErrorOk(const QString &text) { ShowMessageBox(text, QString(), mkError, mbOK); }
bool AskYesNo(const QString &text) { return ShowMessageBox(text, QString(), mkConfirmation, mbYes | mbNo) == mrYes; }
