#pragma once
// The six option dialogs of the graph windows: gallery (kind and 3D), colours, titles,
// gridlines, fonts and marks. Each works on its own copy: the window copies its values in,
// shows the dialog, and copies them back only after OK, so Cancel changes nothing.
#include "graph/GraphSettings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;

// Frameless, right to left, OK and Cancel at the bottom; placed 60 pixels below the owner's
// top and 30 inside its right edge, within the screen's work area.
class TGraphOptionDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TGraphOptionDialog(QWidget *owner);
    // Places the dialog by its owner; run before showing.
    void PlaceByOwner();

    QWidget *Body() const { return m_body; }

private:
    // OK and Cancel (tests find them by these object names).
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
    QWidget *m_body = nullptr;
};

class TfrmGraphGallery : public TGraphOptionDialog
{
    Q_OBJECT
public:
    TfrmGraphGallery(QWidget *owner, bool traffic);
    void CopyIn(int kind, bool view3D, int percent, bool pieAllowed, bool areaAllowed);
    void CopyOut(int &kind, bool &view3D, int &percent) const;

private:
    // The dialog's controls (tests find them by these object names).
    QRadioButton *rbKind[7] = {};
    QCheckBox *chk3D = nullptr;
    QSpinBox *sedPercent = nullptr;
    bool m_traffic;
};

class TfrmGraphColors : public TGraphOptionDialog
{
    Q_OBJECT
public:
    TfrmGraphColors(QWidget *owner, bool traffic);
    void CopyIn(const TGraphColors &colors);
    void CopyOut(TGraphColors &colors) const;
    // The colour of element 0 background, 1 walls, 2.. series 1..10.
    TColor ElementColor(int element) const;
    void SelectElement(int element);
    void SelectCell(int cell);
    TColor CurrentColor() const { return m_current; }
    void DefaultColors();

private:
    // The dialog's controls (tests find them by these object names).
    QListWidget *lstElements = nullptr;
    QWidget *pnlGrid = nullptr;
    QCheckBox *chkRandom = nullptr;
    QPushButton *btnDefaults = nullptr;

    void setElementColor(int element, TColor color);
    TGraphColors m_colors;
    TColor m_current = 0;
    bool m_traffic;
};

class TfrmGraphTitles : public TGraphOptionDialog
{
    Q_OBJECT
public:
    explicit TfrmGraphTitles(QWidget *owner);
    void CopyIn(const TGraphTitles &titles);
    void CopyOut(TGraphTitles &titles) const;

private:
    // The dialog's controls (tests find them by these object names).
    QLineEdit *edtLine[3] = {};
    QLineEdit *edtBottom = nullptr;
    QLineEdit *edtLeft = nullptr;
};

class TfrmGraphGridlines : public TGraphOptionDialog
{
    Q_OBJECT
public:
    explicit TfrmGraphGridlines(QWidget *owner);
    void CopyIn(bool vertical, bool horizontal);
    void CopyOut(bool &vertical, bool &horizontal) const;

private:
    // The dialog's controls (tests find them by these object names).
    QRadioButton *rbNone = nullptr, *rbHorizontal = nullptr, *rbVertical = nullptr, *rbBoth = nullptr;
};

class TfrmGraphFonts : public TGraphOptionDialog
{
    Q_OBJECT
public:
    explicit TfrmGraphFonts(QWidget *owner);
    void CopyIn(const TGraphFonts &fonts);
    void CopyOut(TGraphFonts &fonts) const;
    // Replaces the font of row 0 title, 1 axis titles, 2 axis labels (as the font dialog does).
    void SetFont(int row, const TFontSpec &font);

private:
    // The dialog's controls (tests find them by these object names).
    QLineEdit *edtFont[3] = {};
    QPushButton *btnFont[3] = {};

    void chooseFont(int row);
    TFontSpec m_fonts[3];
};

class TfrmGraphMarks : public TGraphOptionDialog
{
    Q_OBJECT
public:
    explicit TfrmGraphMarks(QWidget *owner);
    void CopyIn(int style);
    void CopyOut(int &style) const;

private:
    // The dialog's controls (tests find them by these object names).
    QRadioButton *rbStyle[6] = {};
};

// A font as the fonts dialog describes it: "Arial,14, Black,<bold>".
QString FontDescription(const TFontSpec &font);
