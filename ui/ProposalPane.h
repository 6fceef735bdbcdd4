// The proposal pane: rich text, right-click paste into an empty pane, no context menu, and no
// paste too long ever to be a proposal.
#pragma once

#include "PasteGuard.h"

#include <QTextEdit>

class ProposalPane : public GuardedPaste<QTextEdit> {
    Q_OBJECT
  public:
    using GuardedPaste<QTextEdit>::GuardedPaste;

  Q_SIGNALS:
    void focusLeft();
    // The right button went down on an empty pane and the clipboard's text fits: the window
    // fills the pane from the clipboard's text, its control characters left out.
    void pasteRequested(const QString& clipboardText);
    // A paste (keyboard, right click, middle click or drop) was too long and left the pane as it
    // was.
    void pasteRefused();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void pasteWasRefused() override;
};
