#include "app/SearchHits.h"

#include <QtGlobal>

void TSearchHits::Clear()
{
    m_pages.clear();
    m_total = 0;
    m_currentPage = 0;
    m_currentIndex = 0;
    m_text.clear();
    m_finished = false;
}

void TSearchHits::AddPage(int page, int count)
{
    if (page <= 0 || count <= 0)
        return;
    auto [it, added] = m_pages.try_emplace(page, count);
    if (!added) {
        m_total -= it->second;
        it->second = count;
    }
    m_total += count;
}

int TSearchHits::CountOnPage(int page) const
{
    const auto it = m_pages.find(page);
    return it == m_pages.end() ? 0 : it->second;
}

std::vector<int> TSearchHits::Pages() const
{
    std::vector<int> pages;
    pages.reserve(m_pages.size());
    for (const auto &[page, count] : m_pages)
        pages.push_back(page);
    return pages;
}

int TSearchHits::CurrentNumber() const
{
    if (!HasCurrent())
        return 0;
    int before = 0;
    for (auto it = m_pages.begin(); it != m_pages.end() && it->first < m_currentPage; ++it)
        before += it->second;
    return before + m_currentIndex + 1;
}

void TSearchHits::SetCurrent(int page, int indexOnPage)
{
    const int count = CountOnPage(page);
    if (count == 0) {
        m_currentPage = 0;
        m_currentIndex = 0;
        return;
    }
    m_currentPage = page;
    m_currentIndex = qBound(0, indexOnPage, count - 1);
}

TSearchHits::TStep TSearchHits::Step(bool forward, int fromPage)
{
    if (m_pages.empty())
        return TStep::None;
    if (HasCurrent()) {
        const int count = CountOnPage(m_currentPage);
        if (forward && m_currentIndex + 1 < count) {
            ++m_currentIndex;
            return TStep::Moved;
        }
        if (!forward && m_currentIndex > 0) {
            --m_currentIndex;
            return TStep::Moved;
        }
        fromPage = forward ? m_currentPage + 1 : m_currentPage - 1;
    }
    if (forward) {
        auto it = m_pages.lower_bound(fromPage);
        const bool wrapped = it == m_pages.end();
        if (wrapped)
            it = m_pages.begin();
        m_currentPage = it->first;
        m_currentIndex = 0;
        return wrapped ? TStep::Wrapped : TStep::Moved;
    }
    auto it = m_pages.upper_bound(fromPage);
    const bool wrapped = it == m_pages.begin();
    it = wrapped ? std::prev(m_pages.end()) : std::prev(it);
    m_currentPage = it->first;
    m_currentIndex = it->second - 1;
    return wrapped ? TStep::Wrapped : TStep::Moved;
}
