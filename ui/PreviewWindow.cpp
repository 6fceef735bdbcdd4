// The modeless window that previews the post.
#include "PreviewWindow.h"

#include "GameController.h"
#include "PostPreview.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// The window opens at this size, before it is placed beside the main window.
constexpr QSize kOpeningSize(640, 420);

} // namespace

PreviewWindow::PreviewWindow(GameController& game, const QWidget* foundTextPane, QWidget* parent)
    : QDialog(parent), m_game(game), m_foundTextPane(foundTextPane)
{
    setObjectName(QStringLiteral("form_apercu"));
    setWindowTitle(QStringLiteral("Aperçu du message"));
    setModal(false);
    resize(kOpeningSize);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("apercu"));
    m_browser->setReadOnly(true);
    m_browser->setOpenLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);

    // The post is built from the found text, the remaining letters and the two counts, the
    // players and the thread's ranking; without a reference text there is none.
    const SessionFields posted = SessionField::Ref | SessionField::Soluce | SessionField::Lettres |
                                 SessionField::RemainingCount | SessionField::FoundCount;
    connect(&m_game, &GameController::sessionChanged, this, [this, posted](SessionFields changed) {
        if (changed & posted)
            follow();
    });
    connect(&m_game, &GameController::playersChanged, this, &PreviewWindow::follow);
    connect(&m_game, &GameController::threadChanged, this, &PreviewWindow::follow);
    connect(&m_game, &GameController::rankingInPostChanged, this, &PreviewWindow::follow);
    connect(&m_game, &GameController::forumChanged, this, &PreviewWindow::follow);
    follow();
}

// Only a changed post is drawn again; without a puzzle, the window says why there is none.
void PreviewWindow::follow()
{
    const std::optional<Refusal> refused = m_game.refusePost();
    const QString html = refused ? refused->text.toHtmlEscaped()
                                 : postPreviewHtml(m_game.forumPost().lines, m_game.forum(),
                                                   m_foundTextPane->font().family());
    if (html == m_shownHtml)
        return;
    m_shownHtml = html;
    m_browser->setHtml(html);
}
