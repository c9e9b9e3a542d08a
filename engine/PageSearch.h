#pragma once
// Finding text on report pages, as the find bar and `tarvel-report find` both do it.
//
// The text of a page is read line by line as it is printed: the text items of one printed line
// joined in their reading order with a space between neighbours, so a hit may run across
// cells ("16:33 12/11/2026"). In a right-to-left line the cells are also tried in the order the
// eye meets them from the left, for hits that cross cells. Latin letters match without regard
// to case; Hebrew matches in logical order, as typed; one space in the search matches any run
// of spaces.
#include "engine/Page.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

class TSearchText
{
public:
    TSearchText() = default;
    explicit TSearchText(const QString &typed);
    // Nothing to look for (empty, or only spaces).
    bool IsEmpty() const { return m_folded.isEmpty(); }
    const QString &Typed() const { return m_typed; }
    const QString &Folded() const { return m_folded; }
    // False only when a page's stored bytes cannot hold a hit: its longest word is not in them.
    // Lets a search skip decoding most pages of a long report.
    bool MayBeIn(QByteArrayView pageBytes) const;

private:
    QString m_typed;
    QString m_folded;
    QByteArray m_probe;          // UTF-8 of the longest word, when it is plain enough to look for
    bool m_probeHasLatin = false; // its Latin letters match either case

};

// The part of one text item that a hit covers: characters [from, from + length) of its text.
struct THitPart {
    int item = 0;
    int from = 0;
    int length = 0;
};

// One hit: its parts in reading order.
struct TPageHit {
    std::vector<THitPart> parts;
    bool operator==(const TPageHit &other) const;
};

// Every hit on the page, line by line from the top, in reading order within a line.
std::vector<TPageHit> FindOnPage(const TPage &page, const TSearchText &text);
// How many hits FindOnPage would give.
int CountOnPage(const TPage &page, const TSearchText &text);

// Folds one character as the search compares it.
QChar FoldForSearch(QChar c);
