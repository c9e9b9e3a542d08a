#pragma once
// Bands and their controls: what the report form sets up and the engine prints. A band is a
// horizontal strip of the page (page header, detail, page footer, or a child printed right
// after its parent); its controls are labels, memos, shapes and images, placed in pixels
// relative to the band's top left corner.
#include "engine/Alignment.h"
#include "foundation/Colors.h"
#include "foundation/FontSpec.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

enum class TItemKind : quint8 { Label, Memo, Shape, Image };
// A rectangle, a horizontal line across the middle of the shape, or the left and right
// sides only (the data boxes of the boxed grid).
enum class TShapeKind : quint8 { Rectangle, HorizontalLine, VerticalLines };

struct TBandItem {
    TItemKind Kind = TItemKind::Label;
    QString Name;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    // A control prints only when it is both shown and enabled.
    bool Visible = true;
    bool Enabled = true;

    // Labels and memos.
    QString Caption;
    QStringList Lines; // memo
    TFontSpec Font;
    TAlignment Alignment = TAlignment::Left;
    bool RightToLeft = false;
    bool AutoSize = false;    // the label is as wide as its text
    bool AlignToBand = false; // the label sits at the band's left, right or centre
    bool WordWrap = false;
    int SpaceBefore = 0;
    int SpaceAfter = 0;

    // Shapes.
    TShapeKind Shape = TShapeKind::Rectangle;
    TColor PenColor = clBlack;
    int PenWidth = 1;
    bool ClearBrush = true;
    TColor BrushColor = clWhite;

    // Images.
    QImage Picture;

    int Tag = 0;

    bool Prints() const { return Visible && Enabled; }
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
};

enum class TBandKind : quint8 { PageHeader, Detail, PageFooter, Child };

struct TBand {
    TBand(const char *name, TBandKind kind) : Name(QString::fromLatin1(name)), Kind(kind) {}
    TBand(const TBand &) = delete;
    TBand &operator=(const TBand &) = delete;

    QString Name;
    TBandKind Kind;
    int Height = 0;
    bool Enabled = true;
    // A page-header band laid out like the detail band (column titles): with page columns it
    // prints above every column.
    bool RepeatPerColumn = false;
    TBand *Child = nullptr; // printed directly after this band
    std::vector<std::unique_ptr<TBandItem>> Items; // in control order

    TBandItem &Add(TItemKind kind, const QString &name = QString())
    {
        Items.push_back(std::make_unique<TBandItem>());
        Items.back()->Kind = kind;
        Items.back()->Name = name;
        return *Items.back();
    }
    // Removes the controls that are not named (those added for settings or records).
    void RemoveUnnamed()
    {
        std::erase_if(Items, [](const std::unique_ptr<TBandItem> &i) { return i->Name.isEmpty(); });
    }
};
