// The couleurs fields of the design-time look.
#include "DesignLook.h"

#include "PaneStyle.h"

#include <cmath>

QList<FieldValue> designLookFields()
{
    QList<FieldValue> fields;
    for (Pane pane : kPanes) {
        const PaneStyle style = designStyle(pane);
        fields << FieldValue{lookColumn(LookKind::Background, pane), style.background}
               << FieldValue{lookColumn(LookKind::TextColour, pane), style.text}
               << FieldValue{lookColumn(LookKind::FontName, pane), style.font.name}
               << FieldValue{lookColumn(LookKind::FontSize, pane),
                             static_cast<int>(std::nearbyint(style.font.size))}
               << FieldValue{lookColumn(LookKind::FontBold, pane), int(style.font.bold)}
               << FieldValue{lookColumn(LookKind::FontItalic, pane), int(style.font.italic)};
    }
    return fields;
}
