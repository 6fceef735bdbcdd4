// The event filter that keeps Alt+letter out of the panes.
#include "PaneKeys.h"

#include <QKeyEvent>
#include <QWidget>

namespace {

class AltLetterFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    // Menu mnemonics have already been tried when the key press reaches the pane.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const Qt::KeyboardModifiers modifiers = key->modifiers();
            if (modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier) &&
                !key->text().isEmpty() && key->text().at(0).isPrint())
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void keepAltLettersOut(QWidget* pane)
{
    pane->installEventFilter(new AltLetterFilter(pane));
}
