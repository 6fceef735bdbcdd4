// The conflict dialog form_message: the two words whose lengths differ and the word's number,
// shown by the game's conflicts.
#pragma once

#include "EngineTypes.h"

#include <QDialog>

class GameController;
class QLabel;
class QPushButton;

class ConflictDialog : public QDialog {
    Q_OBJECT
  public:
    // The dialog shows each conflict the game finds, and goes when another game is opened or a
    // turn is accepted.
    explicit ConflictDialog(GameController& game, QWidget* parent = nullptr);

    // Puts the conflict's found word, proposal word and word number into the value labels, and
    // brings the dialog to the front.
    void showConflict(const Conflict& conflict);

  Q_SIGNALS:
    // The master answered the dialog (its OK, Escape or its frame); it has already closed.
    void answered();

  protected:
    void done(int result) override;

  private:
    QLabel* addLabel(const char* name, const QString& text, const QRect& geometry,
                     const QFont& font, bool wrap = false);

    QLabel* m_foundWord = nullptr;
    QLabel* m_proposalWord = nullptr;
    QLabel* m_wordNumber = nullptr;
    QPushButton* m_ok = nullptr;
};
