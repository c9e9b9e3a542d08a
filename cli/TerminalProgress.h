#pragma once
// The batch tool's progress line: long commands (export, pdf, png, copy, find) redraw one line
// on standard error while they run, "  45%  12,345 records  0:03", and erase it when done.
// Only when standard error is a terminal and --quiet was not given: a script's captured
// output never holds it.
#include "foundation/Progress.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

// Set by --quiet.
void SetCliQuiet(bool quiet);
// Whether long commands show their progress line.
bool CliShowsProgress();
// Erases a progress line that is drawn now, so that a message starts on a clean line.
void CliEraseProgress();

class TTerminalProgress final : public TProgressSink
{
public:
    // Draws on standard error when CliShowsProgress(); on the given stream when one is given
    // (tests), or nowhere when it is null.
    TTerminalProgress();
    explicit TTerminalProgress(FILE *out);
    ~TTerminalProgress() override;
    TTerminalProgress(const TTerminalProgress &) = delete;
    TTerminalProgress &operator=(const TTerminalProgress &) = delete;

    void Progress(int percent) override;
    void RecordsRead(qint64 count) override;
    bool Cancelled() const override { return false; }
    void Finished() override;

    // A later stage counts pages: "page 12 of 400"; total 0 when not known yet.
    void Pages(int done, int total = 0);

    // The line as it would be drawn now (without the carriage return).
    QString Line() const;

private:
    void draw(bool force);

    FILE *m_out = nullptr;
    QElapsedTimer m_clock;
    qint64 m_lastDrawMs = -1;
    int m_percent = 0;
    qint64 m_records = -1;
    int m_pages = -1;
    int m_pageTotal = 0;
    int m_drawnWidth = 0;
};
