#pragma once
// The hits of one search over a report: how many lie on each page that has any, and which one
// is current. Pages come in as the search finds them, in any order; the hits are numbered in
// page order, so "hit k of n" stays right while the count grows.
#include <QString>

#include <map>
#include <vector>

class TSearchHits
{
public:
    enum class TStep { None, Moved, Wrapped };

    void Clear();
    // page is 1-based; a page with no hits is not kept.
    void AddPage(int page, int count);

    int Total() const { return m_total; }
    bool IsEmpty() const { return m_total == 0; }
    int CountOnPage(int page) const;
    std::vector<int> Pages() const;

    bool HasCurrent() const { return m_currentPage > 0; }
    int CurrentPage() const { return m_currentPage; }
    // 0-based among the hits of the current page.
    int CurrentIndexOnPage() const { return m_currentIndex; }
    // k of "hit k of n" (1-based); 0 without a current hit.
    int CurrentNumber() const;
    void SetCurrent(int page, int indexOnPage);

    // Next (forward) or previous hit, wrapping round at the ends. Without a current hit the
    // first hit on or after fromPage (forward), or the last on or before it, is taken.
    TStep Step(bool forward, int fromPage);

    // The text searched for, and whether every page has been searched.
    const QString &Text() const { return m_text; }
    void SetText(const QString &text) { m_text = text; }
    bool Finished() const { return m_finished; }
    void SetFinished(bool finished) { m_finished = finished; }

private:
    QString m_text;
    bool m_finished = false;
    std::map<int, int> m_pages; // page -> hits on it
    int m_total = 0;
    int m_currentPage = 0;
    int m_currentIndex = 0;
};
