// The panes' binding to the game: what they show, and what the master's typing tells the game.
#include "PanesView.h"

#include "GameController.h"
#include "MessageSink.h"
#include "PaneFormatting.h"
#include "PaneKeys.h"
#include "PaneText.h"
#include "ProposalPane.h"
#include "ReferencePane.h"
#include "StoredColour.h"
#include "Twips.h"
#include "WindowDesign.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTextCharFormat>
#include <QTextCursor>

namespace {

// The reference's length is written no smaller than this.
constexpr double kSmallestLengthPoints = 7;
// The conflict's word is selected in this colour.
const QColor kConflictColour(255, 0, 0);

void setPlainIfChanged(QPlainTextEdit* pane, const QString& engineText)
{
    const QString text = panetext::toPane(engineText);
    if (panetext::exactText(pane->document()) != text)
        pane->setPlainText(text);
}

void setCaptionIfChanged(QLabel* label, const QString& caption)
{
    if (label->text() != caption)
        label->setText(caption);
}

} // namespace

void applyPaneStyle(QWidget* pane, const PaneStyle& style)
{
    const QPalette palette = pane->palette();
    applyBackground(pane, colourFromStored(style.background, palette));
    applyTextColour(pane, colourFromStored(style.text, palette));
    applyFont(pane, paneFont(style));
}

PanesView::PanesView(GameController& game, const Controls& controls, MessageSink& messages,
                     QObject* parent)
    : QObject(parent), m_game(game), m_controls(controls), m_messages(messages)
{
    setUpPanes();
    placeReferenceLength();
    connect(&m_game, &GameController::gameOpened, this, &PanesView::startAfresh);
    connect(&m_game, &GameController::sessionChanged, this,
            [this](SessionFields changed) { show(int(changed)); });
}

// The length as the limit counts it, in red past the limit, right-aligned at the pane's right
// edge and clear of the caption before it.
void PanesView::showReferenceLength()
{
    QLabel* label = m_controls.referenceLength;
    const qsizetype length = m_game.session().ref.size();
    label->setText(QStringLiteral("%1 / %2").arg(length).arg(PuzzleEngine::kMaxTextLength));
    QPalette palette = label->parentWidget()->palette();
    if (length > PuzzleEngine::kMaxTextLength)
        palette.setColor(QPalette::WindowText, colourFromStored(design::kCountColour, palette));
    label->setPalette(palette);
}

// The whole room between the caption and the pane's right edge, in a face small enough there for
// a length of four digits, past the limit, to show whole.
void PanesView::placeReferenceLength()
{
    QLabel* label = m_controls.referenceLength;
    const QLabel* caption = label->parentWidget()->findChild<QLabel*>(QStringLiteral("Label1"));
    const int right = m_controls.ref->geometry().right();
    const int left = caption->geometry().right() + 1 + twips::toPixels(design::kCaptionGapTwips);
    const QString widest = QStringLiteral("9999 / %1").arg(PuzzleEngine::kMaxTextLength);
    QFont font = label->font();
    while (font.pointSizeF() > kSmallestLengthPoints &&
           QFontMetrics(font).horizontalAdvance(widest) > right + 1 - left)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(left, label->y(), right + 1 - left, label->height());
}

void PanesView::setUpPanes()
{
    ReferencePane* ref = m_controls.ref;
    ProposalPane* propal = m_controls.propal;
    m_controls.soluce->setReadOnly(true);
    m_controls.soluce->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                               Qt::TextSelectableByKeyboard);
    propal->setAcceptRichText(true);
    // Tab moves between the controls, as the tab order expects, rather than typing a tab.
    for (QPlainTextEdit* pane :
         {static_cast<QPlainTextEdit*>(ref), m_controls.soluce, m_controls.lettres}) {
        pane->setTabChangesFocus(true);
        pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        keepAltLettersOut(pane);
    }
    keepAltLettersOut(propal);
    propal->setTabChangesFocus(true);
    // The proposal's own font is what a cleared pane falls back to.
    propal->setFont(paneFont(designLook(Pane::Propal)));
    for (Pane pane : kPanes)
        applyPaneStyle(m_controls.pane(pane), designLook(pane));

    forwardEdit(ref, &GameController::referenceEdited);
    forwardEdit(m_controls.lettres, &GameController::remainingLettersEdited);
    connect(ref, &ReferencePane::focusLeft, &m_game, &GameController::referenceLeft);
    connect(propal, &QTextEdit::textChanged, this, [this, propal] {
        if (!m_showing)
            m_game.proposalEdited(panetext::fromPane(panetext::exactText(propal->document())));
    });
    connect(propal, &ProposalPane::focusLeft, &m_game, &GameController::proposalLeft);
    connect(propal, &ProposalPane::pasteRequested, this, [this](const QString& clipboardText) {
        // The game gets the text as the pane will show it, line separators included.
        m_game.pasteIntoEmptyProposal(
            panetext::fromPane(panetext::withPaneBreaks(panetext::toPane(clipboardText))));
    });
    const auto refusePaste = [this] {
        m_messages.inform(paste::kTooLongMessage, MessageIcon::Warning);
    };
    connect(propal, &ProposalPane::pasteRefused, this, refusePaste);
    connect(ref, &ReferencePane::pasteRefused, this, refusePaste);
}

// The master's typing reaches the game as it happens; what the view writes itself is already
// the game's.
void PanesView::forwardEdit(QPlainTextEdit* pane, void (GameController::*edited)(const QString&))
{
    connect(pane, &QPlainTextEdit::textChanged, this, [this, pane, edited] {
        if (!m_showing)
            (m_game.*edited)(panetext::fromPane(panetext::exactText(pane->document())));
    });
}

// Only the values that changed are written, and the proposal only where it differs, so that its
// untouched characters keep their colours and fonts.
void PanesView::show(int changed)
{
    const GameSession& game = m_game.session();
    const SessionFields fields = SessionFields::fromInt(changed);
    m_showing = true;
    if (fields & SessionField::Ref) {
        setPlainIfChanged(m_controls.ref, game.ref);
        showReferenceLength();
    }
    if (fields & SessionField::Soluce)
        setPlainIfChanged(m_controls.soluce, game.soluce);
    if (fields & SessionField::Lettres)
        setPlainIfChanged(m_controls.lettres, game.lettres);
    if (fields & SessionField::Propal)
        panetext::replaceKeepingFormat(m_controls.propal, panetext::toPane(game.propal));
    if (fields & SessionField::RemainingCount)
        setCaptionIfChanged(m_controls.remainingCount, QString::number(game.lettres_restantes));
    if (fields & SessionField::FoundCount)
        setCaptionIfChanged(m_controls.foundCount, QString::number(game.lettres_trouvees));
    m_showing = false;
    if (m_opened) {
        m_opened = false;
        applyStoredLook();
    }
}

// The panes start afresh, without the old game's typing to undo or its formats.
void PanesView::startAfresh()
{
    m_showing = true;
    for (QPlainTextEdit* pane :
         {static_cast<QPlainTextEdit*>(m_controls.ref), m_controls.soluce, m_controls.lettres})
        pane->setPlainText(QString());
    m_controls.propal->clear();
    m_showing = false;
    m_opened = true;
}

// With a game in progress the master's first paste is a proposal, never the hidden text.
void PanesView::applyStoredLook()
{
    if (m_game.session().soluce.isEmpty())
        m_controls.ref->setFocus(Qt::OtherFocusReason);
    else
        m_controls.propal->setFocus(Qt::OtherFocusReason);
    const StoredAppearance stored = m_game.storedAppearance();
    // Formatting the proposal is no edit of its text.
    m_showing = true;
    for (Pane pane : kPanes)
        applyPaneStyle(m_controls.pane(pane), lookOver(designLook(pane), stored.lookFor(pane)));
    m_showing = false;
}

void PanesView::selectConflict()
{
    ProposalPane* propal = m_controls.propal;
    const TextRange range = m_game.conflictSelection();
    const QString& engineText = m_game.session().propal;
    const qsizetype paneLength = panetext::exactText(propal->document()).size();
    QTextCursor cursor(propal->document());
    cursor.setPosition(panetext::panePosition(engineText, range.start, paneLength));
    cursor.setPosition(panetext::panePosition(engineText, range.end, paneLength),
                       QTextCursor::KeepAnchor);
    QTextCharFormat red;
    red.setForeground(kConflictColour);
    cursor.mergeCharFormat(red);
    propal->setTextCursor(cursor);
}
