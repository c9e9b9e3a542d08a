#pragma once
// The "please wait" window of long passes over a report file (report pre-read, export, copy,
// graph data): a percentage bar, Cancel and optionally Stop. While it exists every other
// window of the program is disabled.
#include "foundation/Progress.h"

#include <QDialog>
#include <QList>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

class TfrmReportProgress : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmReportProgress(QWidget *parent = nullptr);
    ~TfrmReportProgress() override;

    // Caption and cancel question are language text numbers. Cancel-only hides Stop; a pass
    // that can keep what it did so far offers Stop too.
    void ShowProgress(int captionText, int confirmText, bool cancelOnly, bool startMinimised = false);
    // Moves the bar (0..100) and lets the buttons work; shows the percentage in the caption
    // while the window is minimised.
    void SetPercent(int percent);

    // The running pass reads these after each step: Cancel was confirmed, and it was Stop
    // (keep what was done so far).
    bool Cancelled() const { return m_cancelled; }
    bool Stopped() const { return m_stopped; }

    // The window as the progress interface of core code.
    TProgressSink &Sink() { return m_sink; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void reject() override;

private:
    class TSink : public TProgressSink
    {
    public:
        explicit TSink(TfrmReportProgress &window) : m_window(window) {}
        void Progress(int percent) override { m_window.SetPercent(percent); }
        bool Cancelled() const override { return m_window.Cancelled(); }
        void Finished() override { m_window.hide(); }

    private:
        TfrmReportProgress &m_window;
    };

    bool ownsThis(const QWidget *window) const;
    void placeButtons();
    void buttonClicked(QPushButton *button);

    // The window's controls (tests find them by these object names).
    QLabel *lblPleaseWait = nullptr;
    QWidget *pnlProgress = nullptr;
    QProgressBar *gugProgress = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnStop = nullptr;

    bool m_cancelled = false;
    bool m_stopped = false;
    QString CaptionText;
    int ConfirmTextId = 0;
    TSink m_sink{*this};
    QList<QPointer<QWidget>> m_disabledWindows;
    qint64 m_lastEventsAt = 0;
};
