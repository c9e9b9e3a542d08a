#pragma once
// What every part of the report form reads about the page: its set-up, the width it prints
// on, the reading direction and how text is measured. The form owns one; its parts share it.
#include "engine/PageSetup.h"

class TTextMeasurer;

struct TReportPage {
    TPageSetup PageSetup;
    int PrintableWidth = 0;
    bool RightToLeft = false;            // record 906: columns run from the right
    const TTextMeasurer *Measurer = nullptr; // the real fonts unless a test gives another
};
