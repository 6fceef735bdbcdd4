// The rules' items: a choice is stored with the game at once, and each item shows the game's rule.
#include "RulesMenu.h"

#include "GameController.h"
#include "MessageSink.h"

#include <QMenu>

namespace {

const QString kAtNextPuzzle =
    QStringLiteral("La règle s'appliquera à la prochaine énigme (Initialiser).");

} // namespace

RulesMenu::RulesMenu(GameController& game, QMenu* file, MessageSink& messages)
    : QObject(file), m_game(game), m_messages(messages)
{
    QMenu* menu = file->addMenu(QStringLiteral("Règles du fil"));
    menu->setObjectName(QStringLiteral("mnu_regles"));
    menu->menuAction()->setObjectName(QStringLiteral("mnu_regles"));
    const auto add = [&](const char* name, const QString& caption, bool Rules::*rule) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this,
                [this, rule](bool checked) { choose(rule, checked); });
        return item;
    };
    m_allLetters =
        add("mnu_regle_toutes_lettres",
            QStringLiteral("Cacher toutes les lettres (Ë, Ï, Ü, Ÿ, Æ, Ñ…)"), &Rules::allLetters);
    m_optionalAccents =
        add("mnu_regle_accents", QStringLiteral("Accents facultatifs dans les propositions"),
            &Rules::optionalAccents);
    connect(&m_game, &GameController::rulesChanged, this, &RulesMenu::check);
    check(m_game.rules());
}

void RulesMenu::choose(bool Rules::*rule, bool chosen)
{
    Rules rules = m_game.rules();
    rules.*rule = chosen;
    if (const std::optional<Refusal> refused = m_game.setRules(rules))
        m_messages.inform(refused->text, refused->icon);
    // The puzzle in play keeps the letters it hides: the master is told when the change waits.
    else if (rule == &Rules::allLetters && !m_game.session().soluce.isEmpty())
        m_messages.inform(kAtNextPuzzle, MessageIcon::Information);
    // A refused choice leaves the items as the game's rules are.
    check(m_game.rules());
}

void RulesMenu::check(const Rules& rules)
{
    m_allLetters->setChecked(rules.allLetters);
    m_optionalAccents->setChecked(rules.optionalAccents);
}
