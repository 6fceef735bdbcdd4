// The reference text pane: a plain multi-line box that reports when the focus really leaves it.
#pragma once

#include <QPlainTextEdit>

class ReferencePane : public QPlainTextEdit {
    Q_OBJECT
  public:
    using QPlainTextEdit::QPlainTextEdit;

  Q_SIGNALS:
    void focusLeft();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
};
