#pragma once
// The program's own message window: icon and text above a row of buttons, right to left.
#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

class TfrmMessage : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kButtonWidth = 49;
    static constexpr int kButtonHeight = 25;

    TfrmMessage(const QString &text, const QString &caption, int kind, int buttons, QWidget *parent = nullptr);

    // Runs the window; the pressed button's result, mrCancel when closed without one.
    int Execute();

    QLabel *lblMsg() const { return m_label; }
    QLabel *imgIcon() const { return m_icon; }
    QWidget *pnlMessage() const { return m_messagePanel; }
    QWidget *pnlButtons() const { return m_buttonPanel; }
    const QList<QPushButton *> &Buttons() const { return m_buttons; }
    QPushButton *EscapeButton() const { return m_escapeButton; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void layOut(int kind);

    QWidget *m_messagePanel = nullptr;
    QWidget *m_buttonPanel = nullptr;
    QLabel *m_icon = nullptr;
    QLabel *m_label = nullptr;
    QList<QPushButton *> m_buttons;
    QPushButton *m_escapeButton = nullptr;
    int m_result = 2;
};

// Shows the message window for every ShowMessageBox, WarnOk, ErrorOk and AskYesNo.
void InstallMessageWindow();

// Moves a window to the requested position, pulled inside the screen's work area.
void ClampToWorkArea(QWidget *form, int left, int top);
