#include "cli/TerminalProgress.h"

#include <QLocale>
#include <unistd.h>

namespace {

bool &quietFlag()
{
    static bool quiet = false;
    return quiet;
}

// The progress line drawn now, if any.
TTerminalProgress *&drawnLine()
{
    static TTerminalProgress *line = nullptr;
    return line;
}

// A terminal is redrawn at most this often; the percentage changing always redraws.
constexpr qint64 kRedrawMs = 200;

} // namespace

void SetCliQuiet(bool quiet) { quietFlag() = quiet; }

bool CliShowsProgress() { return !quietFlag() && isatty(STDERR_FILENO); }

void CliEraseProgress()
{
    if (drawnLine())
        drawnLine()->Finished();
}

TTerminalProgress::TTerminalProgress() : TTerminalProgress(CliShowsProgress() ? stderr : nullptr) {}

TTerminalProgress::TTerminalProgress(FILE *out) : m_out(out) { m_clock.start(); }

TTerminalProgress::~TTerminalProgress() { Finished(); }

void TTerminalProgress::Progress(int percent)
{
    percent = qBound(0, percent, 100);
    const bool changed = percent != m_percent;
    m_percent = percent;
    draw(changed);
}

void TTerminalProgress::RecordsRead(qint64 count)
{
    m_records = qMax<qint64>(0, count);
}

void TTerminalProgress::Pages(int done, int total)
{
    m_pages = qMax(0, done);
    m_pageTotal = qMax(0, total);
    const int percent = m_pageTotal > 0 ? int(qint64(m_pages) * 100 / m_pageTotal) : m_percent;
    const bool changed = percent != m_percent;
    m_percent = qBound(0, percent, 100);
    draw(changed);
}

QString TTerminalProgress::Line() const
{
    const QLocale numbers(QLocale::English);
    QString line = QStringLiteral("%1%").arg(m_percent, 3);
    if (m_pages >= 0 && m_pageTotal > 0)
        line += QStringLiteral("  page %1 of %2").arg(numbers.toString(m_pages), numbers.toString(m_pageTotal));
    else if (m_pages >= 0)
        line += QStringLiteral("  %1 pages").arg(numbers.toString(m_pages));
    else if (m_records >= 0)
        line += QStringLiteral("  %1 records").arg(numbers.toString(m_records));
    const qint64 seconds = m_clock.elapsed() / 1000;
    line += QStringLiteral("  %1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return line;
}

void TTerminalProgress::draw(bool force)
{
    if (!m_out)
        return;
    const qint64 now = m_clock.elapsed();
    if (!force && m_lastDrawMs >= 0 && now - m_lastDrawMs < kRedrawMs)
        return;
    m_lastDrawMs = now;
    const QByteArray line = Line().toUtf8();
    // Spaces cover what a longer earlier line left.
    const int pad = qMax(0, m_drawnWidth - int(line.size()));
    std::fprintf(m_out, "\r%s%*s", line.constData(), pad, "");
    std::fflush(m_out);
    m_drawnWidth = int(line.size());
    drawnLine() = this;
}

void TTerminalProgress::Finished()
{
    if (!m_out || m_drawnWidth == 0)
        return;
    std::fprintf(m_out, "\r%*s\r", m_drawnWidth, "");
    std::fflush(m_out);
    m_drawnWidth = 0;
    if (drawnLine() == this)
        drawnLine() = nullptr;
}
