// Labels keep their design place but grow to show their whole caption in the substituted font.
#pragma once

#include <QFont>
#include <QLabel>

#include <algorithm>

// The design font is a Windows bitmap face; where it is missing, prefer faces of its width
// over the platform's wider default sans-serif.
inline void registerFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")});
}

// Widens a one-line label, or heightens a wrapped one, when its caption would be cut off.
inline void growToText(QLabel* label)
{
    if (label->wordWrap()) {
        label->resize(label->width(),
                      std::max(label->height(), label->heightForWidth(label->width())));
        return;
    }
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
}
