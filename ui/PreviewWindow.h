// The preview window form_apercu: the post that "Copier" would give, drawn as the game's forum
// draws it, following the game.
#pragma once

#include <QDialog>

class GameController;
class QTextBrowser;

class PreviewWindow : public QDialog {
    Q_OBJECT
  public:
    // The post's monospace parts are drawn in the font of the found text's pane.
    PreviewWindow(GameController& game, const QWidget* foundTextPane, QWidget* parent = nullptr);

  private:
    void follow();

    GameController& m_game;
    const QWidget* m_foundTextPane;
    QTextBrowser* m_browser = nullptr;
    QString m_shownHtml;
};
