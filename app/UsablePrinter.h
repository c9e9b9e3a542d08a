#pragma once
// Whether reports can be shown: the viewer refuses to show reports without a usable printer.
// On this platform printing to a PDF file is always possible, so a usable printer is a
// system printer or the PDF writer, and the answer is yes unless the check is replaced
// (tests do, and TARVEL_NO_PRINTER=1 in the environment makes the answer no).
#include <functional>

using TPrinterCheck = std::function<bool()>;

bool HasUsablePrinter();
// Replaces the check; an empty function restores the default.
void SetPrinterCheck(TPrinterCheck check);
