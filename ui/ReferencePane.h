// The reference text pane: a plain multi-line box that reports when the focus really leaves it,
// and takes no paste too long ever to be a reference.
#pragma once

#include "PasteGuard.h"

#include <QPlainTextEdit>

class ReferencePane : public GuardedPaste<QPlainTextEdit> {
    Q_OBJECT
  public:
    using GuardedPaste<QPlainTextEdit>::GuardedPaste;

  Q_SIGNALS:
    void focusLeft();
    // A paste was too long and left the pane as it was.
    void pasteRefused();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    void pasteWasRefused() override;
};
