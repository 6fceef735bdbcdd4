// The proposal pane: rich text, right-click paste into an empty pane, no context menu.
#pragma once

#include <QTextEdit>

class ProposalPane : public QTextEdit {
    Q_OBJECT
  public:
    using QTextEdit::QTextEdit;

  Q_SIGNALS:
    void focusLeft();
    // The right button went down on an empty pane: the window fills it from the clipboard.
    void pasteRequested();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};
