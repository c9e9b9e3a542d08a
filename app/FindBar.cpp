#include "app/FindBar.h"

#include "app/PreviewState.h"
#include "engine/PageStore.h"
#include "foundation/DisplayText.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

namespace {

// Searching starts when typing pauses this long.
constexpr int kTypingPause = 250;

} // namespace

TFindBar::TFindBar(TPreviewState *state, QWidget *parent)
    : QToolBar(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("tlbFind"));
    setMovable(false);
    setFloatable(false);
    auto *label = new QLabel(DisplayText(kTextFind) + QLatin1Char(' '), this);
    addWidget(label);
    edtFind = new QLineEdit(this);
    edtFind->setObjectName(QStringLiteral("edtFind"));
    edtFind->setFixedWidth(260);
    edtFind->setClearButtonEnabled(true);
    addWidget(edtFind);
    btnFindPrevious = addAction(DisplayText(kTextFindPrevious), this, &TFindBar::FindPrevious);
    btnFindPrevious->setObjectName(QStringLiteral("btnFindPrevious"));
    btnFindPrevious->setToolTip(DisplayText(kTextFindPrevious) + QStringLiteral(" (Shift+F3)"));
    btnFindNext = addAction(DisplayText(kTextFindNext), this, &TFindBar::FindNext);
    btnFindNext->setObjectName(QStringLiteral("btnFindNext"));
    btnFindNext->setToolTip(DisplayText(kTextFindNext) + QStringLiteral(" (F3)"));
    addSeparator();
    lblFindStatus = new QLabel(this);
    lblFindStatus->setObjectName(QStringLiteral("lblFindStatus"));
    lblFindStatus->setMinimumWidth(320);
    addWidget(lblFindStatus);
    auto *spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);
    btnFindClose = addAction(QStringLiteral("✕"), this, &TFindBar::Close);
    btnFindClose->setObjectName(QStringLiteral("btnFindClose"));
    btnFindClose->setToolTip(DisplayText(kTextCloseFind));

    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(kTypingPause);
    connect(&m_typingPause, &QTimer::timeout, this, &TFindBar::startSearch);
    connect(edtFind, &QLineEdit::textEdited, this, [this] { m_typingPause.start(); });
    hide();
}

TFindBar::~TFindBar() = default;

// Until the last of what was found has been taken.
bool TFindBar::IsTextBox(const QWidget *widget) const { return widget && widget == edtFind; }

bool TFindBar::Searching() const { return m_search && !m_state->Hits().Finished(); }

void TFindBar::SetStore(TPageStore *store)
{
    m_search.reset();
    m_store = store;
    TSearchHits &hits = m_state->EditHits();
    const QString text = hits.Text();
    hits.Clear();
    m_state->HitsEdited();
    // The search goes on over the new pages.
    if (isVisible() && !text.isEmpty())
        startSearch();
    updateStatus();
}

void TFindBar::Open()
{
    show();
    edtFind->setFocus();
    edtFind->selectAll();
}

void TFindBar::Close()
{
    m_typingPause.stop();
    m_search.reset();
    m_state->EditHits().Clear();
    m_state->HitsEdited();
    m_note.clear();
    updateStatus();
    hide();
}

void TFindBar::Search(const QString &text)
{
    edtFind->setText(text);
    startSearch();
}

void TFindBar::startSearch()
{
    m_typingPause.stop();
    m_search.reset();
    m_note.clear();
    TSearchHits &hits = m_state->EditHits();
    hits.Clear();
    const TSearchText text(edtFind->text());
    if (!text.IsEmpty() && m_store) {
        hits.SetText(edtFind->text());
        m_showFirst = true;
        // From the page shown, so the first hit is the next one the reader meets.
        m_search = std::make_unique<TStoreSearch>(*m_store, text, qMax(0, m_state->Page() - 1));
        connect(m_search.get(), &TStoreSearch::Found, this, &TFindBar::takeFound);
        m_search->Start();
    }
    m_state->HitsEdited();
    updateStatus();
}

void TFindBar::takeFound()
{
    if (!m_search)
        return;
    const bool done = m_search->IsDone(); // before taking, so nothing found is left behind
    TSearchHits &hits = m_state->EditHits();
    for (const auto &[page, count] : m_search->TakeFound())
        hits.AddPage(page + 1, count);
    hits.SetFinished(done);
    m_state->HitsEdited();
    if (m_showFirst && !hits.IsEmpty()) {
        m_showFirst = false;
        hits.Step(true, qMax(1, m_state->Page()));
        showCurrent();
    }
    updateStatus();
}

void TFindBar::FindNext() { step(true); }
void TFindBar::FindPrevious() { step(false); }

void TFindBar::step(bool forward)
{
    if (isHidden())
        Open();
    if (edtFind->text() != m_state->Hits().Text() || (!m_search && !m_state->Hits().Text().isEmpty())) {
        startSearch();
        return;
    }
    m_showFirst = false;
    TSearchHits &hits = m_state->EditHits();
    // The reader went to another page since: go on from the page shown.
    if (hits.HasCurrent() && hits.CurrentPage() != m_state->Page())
        hits.SetCurrent(0, 0);
    const TSearchHits::TStep moved = hits.Step(forward, qMax(1, m_state->Page()));
    m_note.clear();
    if (moved == TSearchHits::TStep::Wrapped)
        m_note = DisplayText(forward ? kTextWrappedToTop : kTextWrappedToBottom);
    if (moved != TSearchHits::TStep::None)
        showCurrent();
    updateStatus();
}

void TFindBar::showCurrent()
{
    const TSearchHits &hits = m_state->Hits();
    if (!hits.HasCurrent())
        return;
    if (m_goToPage)
        m_goToPage(hits.CurrentPage());
    else
        m_state->SetPage(hits.CurrentPage());
    m_state->CurrentHitMoved();
}

void TFindBar::updateStatus()
{
    const TSearchHits &hits = m_state->Hits();
    QString status;
    if (hits.Text().isEmpty())
        status.clear();
    else if (hits.IsEmpty())
        status = DisplayText(hits.Finished() ? kTextNotFound : kTextSearching);
    else
        status = DisplayFormat(kTextHitOf, {QString::number(hits.CurrentNumber()), QString::number(hits.Total())})
                 + (hits.Finished() ? QString() : QStringLiteral(" ") + DisplayText(kTextSearching));
    if (!m_note.isEmpty())
        status += QStringLiteral(" - ") + m_note;
    lblFindStatus->setText(status);
    btnFindNext->setEnabled(!hits.IsEmpty());
    btnFindPrevious->setEnabled(!hits.IsEmpty());
}
