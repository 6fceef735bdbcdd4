// Pastes into the text panes, whichever way they come (Ctrl+V, Maj+Inser, a drop, the middle
// click): none longer than a proposal could ever be, and no control characters.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QTextEdit>

class QDropEvent;
class QMimeData;

namespace paste {

// Longest paste taken, in UTF-16 units of its plain text. A pane's text is refused past 600
// characters anyway; far longer pastes (a whole web page) would only freeze the window while Qt
// lays them out.
inline constexpr qsizetype kMaxLength = 100000;
extern const QString kTooLongMessage;

inline bool fits(const QString& plainText)
{
    return plainText.size() <= kMaxLength;
}

// The text without the control characters that show as boxes: tabs and line breaks stay.
QString withoutControlCharacters(QString text);
// The same for markup, which may also write such a character as a numeric reference ("&#1;",
// "&#x1F;").
QString htmlWithoutControlCharacters(const QString& html);

} // namespace paste

// A text pane (QTextEdit or QPlainTextEdit) that takes no paste too long and drops the control
// characters of what it takes. A refused paste leaves the pane as it was and is reported through
// pasteWasRefused(), once a drop is over.
template <typename Edit> class GuardedPaste : public Edit {
  public:
    using Edit::Edit;

  protected:
    // Reports the refusal; the pane emits its signal.
    virtual void pasteWasRefused() = 0;
    // A refusal, queued while a drop is still under way.
    void refusePaste();

    void dropEvent(QDropEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    bool m_inDrop = false;
    bool m_dropWithin = false;
};

extern template class GuardedPaste<QTextEdit>;
extern template class GuardedPaste<QPlainTextEdit>;
