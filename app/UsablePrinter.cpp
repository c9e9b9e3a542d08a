#include "app/UsablePrinter.h"

#include <QtGlobal>

namespace {

bool defaultCheck()
{
    // System printers need no look-up here: the PDF writer, part of the program, is always
    // there to print to when they are missing.
    return qEnvironmentVariableIntValue("TARVEL_NO_PRINTER") == 0;
}

TPrinterCheck &check()
{
    static TPrinterCheck c = defaultCheck;
    return c;
}

} // namespace

bool HasUsablePrinter() { return check()(); }

void SetPrinterCheck(TPrinterCheck c) { check() = c ? std::move(c) : TPrinterCheck(defaultCheck); }
