// The table behind the twelve appearance menu items and the conversions of a chosen font.
#include "AppearanceItems.h"

#include <QFontInfo>

#include <cmath>

const std::array<AppearanceItem, kAppearanceItemCount>& appearanceItems()
{
    static const std::array<AppearanceItem, kAppearanceItemCount> items = {{
        {"mnu_fond_ref", "Couleur du fonf de référence", Pane::Ref, PaneProperty::Background},
        {"mnu_fond_trouvé", "Couleur du fond du texte trouvé", Pane::Soluce,
         PaneProperty::Background},
        {"mnu_fond_propal", "Coouleur du fond de la proposition", Pane::Propal,
         PaneProperty::Background},
        {"mnu_fond_lettres", "Coouleur du fond des lettres restantes", Pane::Lettres,
         PaneProperty::Background},
        {"mnu_police_ref", "Coulleur police de référence", Pane::Ref, PaneProperty::TextColour},
        {"mnu_police_trouvé", "Couleur police texte trouvé", Pane::Soluce,
         PaneProperty::TextColour},
        {"mnu_police_propal", "Couoleur, police de la proposition", Pane::Propal,
         PaneProperty::TextColour},
        {"mnu_police_lettres", "Couleur police lettres restantes", Pane::Lettres,
         PaneProperty::TextColour},
        {"mnu_font_ref", "Police du texte de référence", Pane::Ref, PaneProperty::Font},
        {"mnu_font_soluce", "Police du texte trouvé", Pane::Soluce, PaneProperty::Font},
        {"mnu_font_propal", "Police du texte de la proposition", Pane::Propal, PaneProperty::Font},
        {"mnu_font_lettres", "Police des lettres restantes", Pane::Lettres, PaneProperty::Font},
    }};
    return items;
}

bool startsGroup(std::size_t index)
{
    const auto& items = appearanceItems();
    return index > 0 && index < items.size() && items[index].property != items[index - 1].property;
}

int roundPointSize(double pointSize)
{
    return static_cast<int>(std::nearbyint(pointSize)); // default rounding: half to even
}

QFont shownFont(const QFont& requested)
{
    const QFontInfo info(requested);
    QFont shown(info.family());
    shown.setPointSizeF(requested.pointSizeF() > 0 ? requested.pointSizeF() : info.pointSizeF());
    shown.setWeight(requested.weight());
    shown.setItalic(requested.italic());
    return shown;
}

QString chosenFamily(const QFont& chosen, const QFont& initial)
{
    if (chosen.family() == QFontInfo(initial).family())
        return initial.family();
    return chosen.family();
}

FontChoice fontChoice(const QFont& chosen, const QFont& initial)
{
    const double size = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : initial.pointSizeF();
    return {chosenFamily(chosen, initial), static_cast<double>(roundPointSize(size)), chosen.bold(),
            chosen.italic()};
}

QFont fontFromChoice(const FontChoice& choice)
{
    QFont font(choice.name);
    if (choice.size > 0)
        font.setPointSizeF(choice.size);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    return font;
}
