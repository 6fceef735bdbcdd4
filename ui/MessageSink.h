// The window's message boxes, behind a small interface that tests replace.
#pragma once

#include "EngineTypes.h"

#include <QString>

class QWidget;

class MessageSink {
  public:
    virtual ~MessageSink() = default;

    // The box the question calls for, by its buttons, and the master's answer; a box with OK
    // alone answers Yes. It returns when the box is closed.
    virtual Answer answer(const Question& question) = 0;

    // A box with a single OK button.
    void inform(const QString& text, MessageIcon icon)
    {
        answer({text, icon, Question::Buttons::Ok});
    }
    // The game's questions, answered in these boxes.
    Asker asker()
    {
        return [this](const Question& question) { return answer(question); };
    }
};

// The real boxes: QMessageBox titled "Plimo", showing each CR-separated line on its own line,
// Oui the default of a question unless it asks for Non; Escape and the frame cancel where
// Annuler is offered.
class MessageBoxSink : public MessageSink {
  public:
    explicit MessageBoxSink(QWidget* parent) : m_parent(parent) {}

    Answer answer(const Question& question) override;

  private:
    QWidget* m_parent;
};
