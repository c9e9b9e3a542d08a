#pragma once
// A search through the pages of a store on a thread of its own, so the window never waits for
// it. It starts at a given page, goes on to the last page there is, comes round to the first,
// and then follows the pages that arrive until the store is finished. What it finds is taken
// by the owner, on the owner's thread, when Found is signalled.
#include "engine/PageSearch.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

class TPageStore;

class TStoreSearch : public QObject
{
    Q_OBJECT
public:
    // startPage is 0-based; the search begins when Start is called.
    TStoreSearch(const TPageStore &store, const TSearchText &text, int startPage, QObject *parent = nullptr);
    ~TStoreSearch() override;

    void Start();
    // Stops the thread and waits for it; nothing more is found.
    void Stop();

    // Pages with hits found since the last call, as (0-based page, hits on it).
    std::vector<std::pair<int, int>> TakeFound();
    // Every page has been searched and the store is finished.
    bool IsDone() const { return m_done; }
    int PagesSearched() const { return m_searched; }

signals:
    // Something new was found, or the search is done. Sent again only after TakeFound.
    void Found();

private:
    void run();
    bool searchPage(int index);
    void tell(bool always);

    const TPageStore *m_store; // none once its pages are discarded
    TSearchText m_text;
    int m_start = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<std::pair<int, int>> m_found;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_done = false;
    std::atomic<bool> m_told = false;
    std::atomic<int> m_searched = 0;
};

// The whole search at once, on the caller's thread: the 0-based pages with hits and their hit
// counts, in page order.
std::vector<std::pair<int, int>> FindInStore(const TPageStore &store, const TSearchText &text);
