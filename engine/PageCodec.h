#pragma once
// A compact byte form of one page, for the page store's spill file: variable-length integers,
// text as UTF-8, colours only when not black. A report of a million rows keeps its pages on
// disk in this form and decodes one page when it is shown or printed.
#include "engine/Page.h"

#include <QByteArray>
#include <QByteArrayView>

// Pages read from a file are no larger than this many pixels a side (A0 at 96 dpi is under
// 4,500), and their primitives lie within this distance of the page.
inline constexpr int kMaxPageSide = 10000;
inline constexpr int kMaxPageCoordinate = 1 << 24;

// A page size and rectangle from a file brought within those limits.
QSize ClampPageSize(QSize size);
QRect ClampPageRect(QRect rect);

QByteArray EncodePage(const TPage &page);
// False for bytes that are not a page, or that refer to fonts or images the store lacks.
bool DecodePage(QByteArrayView bytes, TPage &page, int fontCount, int imageCount);
