#pragma once
#include <QtGlobal>

// How a long pass (report run, export, copy, graph loading) tells its progress and learns
// that the user cancelled. Windows implement it with a progress window; the batch tool with
// nothing at all.
class TProgressSink
{
public:
    virtual ~TProgressSink() = default;
    // Percent done, 0..100. Implementations may process pending window events here.
    virtual void Progress(int percent) = 0;
    virtual bool Cancelled() const = 0;
    // How many records the pass has read so far, told before each new percentage. Only a
    // display that counts (the batch tool's progress line) needs it.
    virtual void RecordsRead(qint64 count) { Q_UNUSED(count); }
    // The pass is over, though its caller goes on: a progress window goes away now, before
    // whatever message the pass has to show.
    virtual void Finished() {}
};

class TSilentProgress final : public TProgressSink
{
public:
    void Progress(int) override {}
    bool Cancelled() const override { return false; }
};

// Passes a reader's percentage on only when it changes (the sink may redraw each time), and
// tells whether the pass goes on.
class TProgressStep
{
public:
    explicit TProgressStep(TProgressSink *sink) : m_sink(sink ? *sink : m_silent) {}
    // Called once per record.
    bool operator()(int percent)
    {
        ++m_records;
        if (percent != m_last) {
            m_last = percent;
            m_sink.RecordsRead(m_records);
            m_sink.Progress(percent);
        }
        return !m_sink.Cancelled();
    }

private:
    TSilentProgress m_silent;
    TProgressSink &m_sink;
    int m_last = -1;
    qint64 m_records = 0;
};
