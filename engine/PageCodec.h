#pragma once
// A compact byte form of one page, for the page store's spill file: variable-length integers,
// text as UTF-8, colours only when not black. A report of a million rows keeps its pages on
// disk in this form and decodes one page when it is shown or printed.
#include "engine/Page.h"

#include <QByteArray>
#include <QByteArrayView>

QByteArray EncodePage(const TPage &page);
// False for bytes that are not a page, or that refer to fonts or images the store lacks.
bool DecodePage(QByteArrayView bytes, TPage &page, int fontCount, int imageCount);
