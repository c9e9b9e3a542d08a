#pragma once
// Pictures of the preview window's toolbar buttons, drawn at run time so that they are
// sharp at any size and need no image files.
#include <QIcon>

enum class TPreviewIcon {
    PageUp, PageDown, ScrollUp, ScrollStop, ScrollDown, FirstPage, LastPage,
    Graph, Print, Open, Save, Mail, Close, Find, Thumbnails,
};

QIcon PreviewIcon(TPreviewIcon kind);
