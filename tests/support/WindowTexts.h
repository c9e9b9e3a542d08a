#pragma once
// The texts a window shows, gathered from its controls, to check how they read.
#include <QStringList>

class QWidget;

// Caption, labels, buttons, group box titles, tabs, menus and toolbar actions, list and
// drop-down items, and tool tips of the window and of every control in it.
QStringList ShownTexts(const QWidget *window);
// The shown texts that hold a language text in the table's left-to-right form ("? ..." first,
// "...&" first, a Latin word or a place first) instead of the form windows show.
QStringList TextsInLeftToRightForm(const QWidget *window);
