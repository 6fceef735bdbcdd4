// Pane colours and fonts chosen from the menu, applied to the pane and written to couleurs.
#include "AppearanceController.h"

#include "Choosers.h"
#include "GameController.h"
#include "MessageSink.h"
#include "PaneFormatting.h"
#include "StoredColour.h"

#include <QAction>
#include <QTextEdit>
#include <QtGlobal>

namespace {

QColor currentColour(QWidget* pane, PaneProperty property)
{
    if (property == PaneProperty::TextColour) {
        // The proposal's characters carry their own colour; the insertion point shows it.
        if (auto* edit = qobject_cast<QTextEdit*>(pane)) {
            const QBrush brush = edit->currentCharFormat().foreground();
            if (brush.style() != Qt::NoBrush)
                return brush.color();
        }
        return pane->palette().color(QPalette::Text);
    }
    return pane->palette().color(QPalette::Base);
}

QFont currentFont(QWidget* pane)
{
    if (auto* edit = qobject_cast<QTextEdit*>(pane)) {
        QFont font = edit->currentFont();
        const QStringList families = edit->currentCharFormat().fontFamilies().toStringList();
        if (!families.isEmpty())
            font.setFamily(families.first());
        return font;
    }
    return pane->font();
}

} // namespace

AppearanceController::AppearanceController(QWidget& window, const AppearanceTargets& targets,
                                           GameController& game, Choosers& choosers,
                                           MessageSink& messages)
    : QObject(&window), m_window(window), m_panes(targets.panes), m_game(game),
      m_choosers(&choosers), m_messages(&messages)
{
    for (Pane pane : kPanes) {
        const auto found = m_panes.find(pane);
        if (found == m_panes.end() || !found->second)
            qFatal("AppearanceController: no widget for the pane %s", qPrintable(paneSuffix(pane)));
    }
    const auto& items = appearanceItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const AppearanceItem& item = items[i];
        if (!targets.actions[i])
            qFatal("AppearanceController: no action for %s", item.objectName);
        connect(targets.actions[i], &QAction::triggered, this, [this, &item] { choose(item); });
    }
}

void AppearanceController::choose(const AppearanceItem& item)
{
    QWidget* pane = m_panes.at(item.pane);
    if (item.property == PaneProperty::Font)
        chooseFont(item, pane);
    else
        chooseColour(item, pane);
}

void AppearanceController::chooseColour(const AppearanceItem& item, QWidget* pane)
{
    const std::optional<QColor> colour =
        m_choosers->chooseColour(currentColour(pane, item.property), &m_window);
    if (!colour)
        return;
    if (item.property == PaneProperty::Background)
        applyBackground(pane, *colour);
    else
        applyTextColour(pane, *colour);
    if (const std::optional<Refusal> refused =
            m_game.storeColour(item.pane, item.property, storedFromColour(*colour)))
        m_messages->inform(refused->text, refused->icon);
}

void AppearanceController::chooseFont(const AppearanceItem& item, QWidget* pane)
{
    const QFont initial = currentFont(pane);
    const std::optional<QFont> chosen = m_choosers->chooseFont(initial, &m_window);
    if (!chosen)
        return;
    const FontChoice choice = fontChoice(*chosen, initial);
    applyFont(pane, fontFromChoice(choice));
    if (const std::optional<Refusal> refused = m_game.storeFont(item.pane, choice))
        m_messages->inform(refused->text, refused->icon);
}
