// The modeless window that previews the post.
#include "PreviewWindow.h"

#include "PostPreview.h"

#include <QTextBrowser>
#include <QVBoxLayout>

PreviewWindow::PreviewWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("form_apercu"));
    setWindowTitle(QStringLiteral("Aperçu du message"));
    setModal(false);
    resize(640, 420);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("apercu"));
    m_browser->setReadOnly(true);
    m_browser->setOpenLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
}

// The game is shown again after every act; only a changed post is drawn again.
void PreviewWindow::showPost(const QString& post, const QString& monospaceFamily)
{
    const QString html = postPreviewHtml(post, monospaceFamily);
    if (html == m_shownHtml)
        return;
    m_shownHtml = html;
    m_browser->setHtml(html);
}
