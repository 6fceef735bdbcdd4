// The design-time look of the panes, and a stored look laid over a pane's look.
#include "PaneLook.h"

#include <cmath>

PaneLook designLook(Pane pane)
{
    PaneLook look;
    look.text = kSystemWindowText;
    look.font = {QStringLiteral("Courier New"), 14.25, false, false};
    switch (pane) {
    case Pane::Ref:
        look.background = 0x00C0FFFF;
        break;
    case Pane::Soluce:
        look.background = 0x00FFFFC0;
        break;
    case Pane::Propal:
        look.background = kSystemWindowBackground;
        break;
    case Pane::Lettres:
        look.background = 0x00C0FFC0;
        break;
    }
    return look;
}

PaneLook lookOver(PaneLook look, const StoredPaneLook& stored)
{
    look.background = stored.background.value_or(look.background);
    look.text = stored.text.value_or(look.text);
    look.font.name = stored.font.name.value_or(look.font.name);
    look.font.size = stored.font.size.value_or(look.font.size);
    look.font.bold = stored.font.bold.value_or(look.font.bold);
    look.font.italic = stored.font.italic.value_or(look.font.italic);
    return look;
}

QList<FieldValue> designLookFields()
{
    QList<FieldValue> fields;
    for (Pane pane : kPanes) {
        const PaneLook look = designLook(pane);
        fields << FieldValue{lookColumn(LookKind::Background, pane), look.background}
               << FieldValue{lookColumn(LookKind::TextColour, pane), look.text}
               << FieldValue{lookColumn(LookKind::FontName, pane), look.font.name}
               << FieldValue{lookColumn(LookKind::FontSize, pane),
                             static_cast<int>(std::nearbyint(look.font.size))}
               << FieldValue{lookColumn(LookKind::FontBold, pane), int(look.font.bold)}
               << FieldValue{lookColumn(LookKind::FontItalic, pane), int(look.font.italic)};
    }
    return fields;
}
