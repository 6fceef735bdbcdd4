// The players the crash test's helper credits its turns to, at random: bracketed, accented and
// 40-character names, names that differ only in case, names the name rules change, and none.
#pragma once

#include <QStringList>

inline const QStringList kPlayedNames = {
    QString(),
    QStringLiteral("Alice"),
    QStringLiteral("ALICE"),
    QStringLiteral("alice"),
    QStringLiteral("[b]Zoé[/b]"),
    QStringLiteral("Chloé Lefèvre-Nguyễn"),
    QStringLiteral("  Jean\t\tPaul "),
    QStringLiteral("abcdefghijabcdefghijabcdefghijabcdefghij"),
    QStringLiteral("abcdefghijabcdefghijabcdefghijabcdefghijKLMNO"),
};
