// The proposal pane: rich text, right-click paste into an empty pane, no context menu, and no
// paste too long ever to be a proposal.
#pragma once

#include <QTextEdit>

class ProposalPane : public QTextEdit {
    Q_OBJECT
  public:
    using QTextEdit::QTextEdit;

    // Longest paste taken, in UTF-16 units of its plain text. A proposal is refused past 600
    // characters anyway; far longer pastes (a whole web page) would only freeze the window
    // while Qt lays them out.
    static constexpr qsizetype kMaxPasteLength = 100000;
    static const QString kPasteTooLongMessage;

    // Whether a paste of this plain text is taken.
    static bool pasteFits(const QString& plainText) { return plainText.size() <= kMaxPasteLength; }

  Q_SIGNALS:
    void focusLeft();
    // The right button went down on an empty pane and the clipboard's text fits: the window
    // fills the pane from the clipboard.
    void pasteRequested(const QString& clipboardText);
    // A paste (keyboard, right click, middle click or drop) was too long and left the pane as it
    // was.
    void pasteRefused();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void refusePaste();

    bool m_inDrop = false;
    bool m_dropWithin = false;
};
