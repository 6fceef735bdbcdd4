// Qt's colour and font choosers, modal and non-native.
#include "Choosers.h"

#include "AppearanceItems.h"

#include <QColorDialog>
#include <QFontDialog>

std::optional<QColor> QtChoosers::chooseColour(const QColor& initial, QWidget* parent)
{
    const QColor colour =
        QColorDialog::getColor(initial, parent, QString(), QColorDialog::DontUseNativeDialog);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::optional<QFont> QtChoosers::chooseFont(const QFont& initial, QWidget* parent)
{
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, shownFont(initial), parent, QString(),
                                            QFontDialog::DontUseNativeDialog);
    if (!accepted)
        return std::nullopt;
    return font;
}
