#pragma once
// The find bar of the preview: a text box, previous and next, and "hit k of n". The search runs
// beside the window (TStoreSearch) over the pages there are and those still arriving; the hits
// go into the preview state, where the page view highlights them.
#include "engine/StoreSearch.h"

#include <QToolBar>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class TPageStore;
class TPreviewState;

// Language texts of the find bar.
inline constexpr int kTextFind = 9530;          // the bar's label and the toolbar button
inline constexpr int kTextFindPrevious = 9531;
inline constexpr int kTextFindNext = 9532;
inline constexpr int kTextHitOf = 9533;         // "hit k of n"
inline constexpr int kTextSearching = 9534;
inline constexpr int kTextNotFound = 9535;
inline constexpr int kTextWrappedToTop = 9536;
inline constexpr int kTextWrappedToBottom = 9537;
inline constexpr int kTextCloseFind = 9538;
inline constexpr int kTextThumbnails = 9539;    // the thumbnail panel's button
inline constexpr int kTextRecentReports = 9540; // the Open button's list of recent reports

class TFindBar : public QToolBar
{
    Q_OBJECT
public:
    TFindBar(TPreviewState *state, QWidget *parent = nullptr);
    ~TFindBar() override;

    // The pages searched (not owned); a new store ends the search.
    void SetStore(TPageStore *store);
    // Shows the bar with the text box focused and its text selected.
    void Open();
    // Hides the bar and ends the search; the highlights go.
    void Close();
    // Next or previous hit (Enter, F3, Shift+F3); a changed text starts a new search first.
    void FindNext();
    void FindPrevious();
    // Starts a search for this text at once (the text box waits for a pause in typing).
    void Search(const QString &text);

    // Shows page n; set by the window so that its toolbar and page box follow.
    void SetGoToPage(std::function<void(int page)> goToPage) { m_goToPage = std::move(goToPage); }

    // Whether the search is still going on.
    bool Searching() const;
    // Whether the widget is the bar's text box (the window's keys leave it alone).
    bool IsTextBox(const QWidget *widget) const;

private:
    void startSearch();
    void takeFound();
    void step(bool forward);
    void showCurrent();
    void updateStatus();

    // The bar's controls (tests find them by these object names).
    QLineEdit *edtFind = nullptr;
    QAction *btnFindPrevious = nullptr;
    QAction *btnFindNext = nullptr;
    QAction *btnFindClose = nullptr;
    QLabel *lblFindStatus = nullptr;

    std::function<void(int page)> m_goToPage;
    TPreviewState *m_state;
    QPointer<TPageStore> m_store;
    std::unique_ptr<TStoreSearch> m_search;
    QTimer m_typingPause;
    // The first hit found goes on screen by itself; after that only the user moves.
    bool m_showFirst = false;
    QString m_note;
};
