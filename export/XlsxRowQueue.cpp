#include "export/XlsxRowQueue.h"

namespace {
constexpr size_t kBatchRows = 2000;
constexpr size_t kMaxWaitingBatches = 4;
} // namespace

TXlsxRowQueue::TXlsxRowQueue(TXlsxWorkbook &book)
    : m_book(book)
    , m_thread([this] { writeLoop(); })
{
    m_batch.reserve(kBatchRows);
}

TXlsxRowQueue::~TXlsxRowQueue() { Finish(); }

void TXlsxRowQueue::Add(TXlsxRow row)
{
    m_batch.push_back(std::move(row));
    if (m_batch.size() >= kBatchRows)
        handOver();
}

void TXlsxRowQueue::handOver()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waiting.size() < kMaxWaitingBatches; });
    m_waiting.push_back(std::exchange(m_batch, {}));
    m_batch.reserve(kBatchRows);
    m_changed.notify_all();
}

void TXlsxRowQueue::Finish()
{
    if (!m_thread.joinable())
        return;
    if (!m_batch.empty())
        handOver();
    {
        std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void TXlsxRowQueue::writeLoop()
{
    while (true) {
        std::vector<TXlsxRow> batch;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_finished || !m_waiting.empty(); });
            if (m_waiting.empty())
                return; // finished, and every batch written
            batch = std::move(m_waiting.front());
            m_waiting.pop_front();
        }
        m_changed.notify_all(); // room for another batch
        for (const TXlsxRow &row : batch)
            m_book.WriteRow(row);
    }
}
