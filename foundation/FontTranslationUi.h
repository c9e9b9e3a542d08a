#pragma once
// Font translation (see FontTranslation.h) applied to windows.
#include "foundation/FontTranslation.h"

class QWidget;
// Translates the fonts of a window and its controls, skipping controls that take their
// parent's font. Every window calls it once when it is created.
void TranslateFormFonts(QWidget *window);
