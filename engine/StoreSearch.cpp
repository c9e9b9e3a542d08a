#include "engine/StoreSearch.h"

#include "engine/PageStore.h"

#include <chrono>

namespace {

// How long the thread waits for new pages before it looks again.
constexpr std::chrono::milliseconds kWaitForPages(20);

} // namespace

TStoreSearch::TStoreSearch(const TPageStore &store, const TSearchText &text, int startPage, QObject *parent)
    : QObject(parent)
    , m_store(&store)
    , m_text(text)
    , m_start(qMax(0, startPage))
{
    // The pages must not go while the thread reads them.
    connect(&store, &TPageStore::PagesDiscarded, this, &TStoreSearch::Stop, Qt::DirectConnection);
}

TStoreSearch::~TStoreSearch() { Stop(); }

void TStoreSearch::Start()
{
    if (m_thread.joinable() || m_stop || !m_store)
        return;
    m_thread = std::thread([this] { run(); });
}

void TStoreSearch::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    m_store = nullptr;
}

std::vector<std::pair<int, int>> TStoreSearch::TakeFound()
{
    std::vector<std::pair<int, int>> found;
    {
        std::lock_guard lock(m_mutex);
        found.swap(m_found);
    }
    m_told = false;
    return found;
}

void TStoreSearch::tell(bool always)
{
    // One signal at a time: the next goes once the owner has taken what was found.
    if (m_told.exchange(true) && !always)
        return;
    QMetaObject::invokeMethod(this, &TStoreSearch::Found, Qt::QueuedConnection);
}

bool TStoreSearch::searchPage(int index)
{
    if (m_stop)
        return false;
    const int hits = CountOnPage(
        m_store->PageForScan(index, [this](QByteArrayView bytes) { return m_text.MayBeIn(bytes); }), m_text);
    ++m_searched;
    if (hits > 0) {
        {
            std::lock_guard lock(m_mutex);
            m_found.emplace_back(index, hits);
        }
        tell(false);
    }
    return !m_stop;
}

void TStoreSearch::run()
{
    const TPageStore &store = *m_store;
    int next = qMin(m_start, store.PageCount());
    // From the start page to the last page there is now...
    while (next < store.PageCount())
        if (!searchPage(next++))
            return;
    // ... then from the first page up to the start page ...
    for (int i = 0; i < qMin(m_start, next); ++i)
        if (!searchPage(i))
            return;
    // ... then the pages that arrive until the report is finished.
    for (;;) {
        const bool finished = store.IsFinished();
        while (next < store.PageCount())
            if (!searchPage(next++))
                return;
        if (finished)
            break;
        std::unique_lock lock(m_mutex);
        if (m_wake.wait_for(lock, kWaitForPages, [this] { return bool(m_stop); }))
            return;
    }
    m_done = true;
    tell(true);
}

std::vector<std::pair<int, int>> FindInStore(const TPageStore &store, const TSearchText &text)
{
    std::vector<std::pair<int, int>> found;
    if (text.IsEmpty())
        return found;
    for (int i = 0; i < store.PageCount(); ++i) {
        const int hits = CountOnPage(store.PageForScan(i, [&](QByteArrayView bytes) { return text.MayBeIn(bytes); }), text);
        if (hits > 0)
            found.emplace_back(i, hits);
    }
    return found;
}
