#pragma once
// Hands rows from the thread that reads the report to a thread that writes them into the
// workbook, in batches, so reading, typing the cells and compressing run side by side. At
// most a few batches wait, so memory stays flat.
#include "export/XlsxWorkbook.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class TXlsxRowQueue
{
public:
    explicit TXlsxRowQueue(TXlsxWorkbook &book);
    ~TXlsxRowQueue(); // Finish()
    TXlsxRowQueue(const TXlsxRowQueue &) = delete;
    TXlsxRowQueue &operator=(const TXlsxRowQueue &) = delete;

    void Add(TXlsxRow row);
    // Returns when every row added is in the workbook.
    void Finish();

private:
    void handOver();
    void writeLoop();

    TXlsxWorkbook &m_book;
    std::vector<TXlsxRow> m_batch;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<TXlsxRow>> m_waiting;
    bool m_finished = false;
    std::thread m_thread;
};
