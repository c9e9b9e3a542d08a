#pragma once
// Where a search hit lies on its page, for highlighting it and scrolling it into view.
#include "engine/Page.h"
#include "engine/PageSearch.h"

#include <QRectF>

class TPageStore;

// The box, in page pixels, around the characters the hit covers: measured within a one-line
// text item as the page painting places it, the whole item for wrapped text.
QRectF HitRect(const TPage &page, const TPageHit &hit, const TPageStore &resources);
