// The preview window form_apercu: the post that "Copier" would give, drawn as a forum draws it.
#pragma once

#include <QDialog>

class QTextBrowser;

class PreviewWindow : public QDialog {
    Q_OBJECT
  public:
    explicit PreviewWindow(QWidget* parent = nullptr);

    // Draws the post, its [font=Courier New] parts in this monospace family.
    void showPost(const QString& post, const QString& monospaceFamily);

  private:
    QTextBrowser* m_browser = nullptr;
    QString m_shownHtml;
};
