// The window's message boxes, behind a small interface that tests replace.
#pragma once

#include "EngineTypes.h"

#include <QString>

class QMessageBox;
class QWidget;

class MessageSink {
  public:
    virtual ~MessageSink() = default;

    // A box with a single OK button; returns when the user closes it.
    virtual void inform(const QString& text, MessageIcon icon) = 0;
    // A question with Yes and No, Yes the default; true for Yes.
    virtual bool ask(const QString& text) = 0;
    // A question with Yes, No and Cancel, Yes the default; Escape and closing the box cancel.
    using Answer = ::Answer;
    virtual Answer askOrCancel(const QString& text) = 0;

    // The box the question calls for, by its buttons; a box with OK alone answers Yes.
    virtual Answer answer(const Question& question);
};

// The real boxes: QMessageBox titled "Plimo", showing each CR-separated line on its own line.
class MessageBoxSink : public MessageSink {
  public:
    explicit MessageBoxSink(QWidget* parent) : m_parent(parent) {}

    void inform(const QString& text, MessageIcon icon) override;
    bool ask(const QString& text) override;
    Answer askOrCancel(const QString& text) override;
    // As the base does, but a Oui/Non question may have Non as its default.
    Answer answer(const Question& question) override;

    // The box inform() shows, built but not yet shown; the caller owns it.
    static QMessageBox* createInformBox(QWidget* parent, const QString& text, MessageIcon icon);
    // The box ask() shows, built but not yet shown; the caller owns it.
    static QMessageBox* createQuestionBox(QWidget* parent, const QString& text,
                                          bool noByDefault = false);
    // The box askOrCancel() shows, built but not yet shown; the caller owns it.
    static QMessageBox* createCancellableQuestionBox(QWidget* parent, const QString& text);

  private:
    QWidget* m_parent;
};
