// The preview window form_apercu: the post that "Copier" would give, drawn as the game's forum
// draws it, following the game.
#pragma once

#include <QDialog>

class GameController;
class QTextBrowser;

class PreviewWindow : public QDialog {
    Q_OBJECT
  public:
    // The narrowest frame that still shows a post's lines, where the window is narrowed to open
    // beside the main window.
    static constexpr int kNarrowestWidth = 360;
    // The lowest frame that still shows a post of a few lines, where it opens below the main
    // window.
    static constexpr int kLowestHeight = 200;

    // The post's monospace parts are drawn in the font of the found text's pane.
    PreviewWindow(GameController& game, const QWidget* foundTextPane, QWidget* parent = nullptr);

  private:
    void follow();

    GameController& m_game;
    const QWidget* m_foundTextPane;
    QTextBrowser* m_browser = nullptr;
    QString m_shownHtml;
};
