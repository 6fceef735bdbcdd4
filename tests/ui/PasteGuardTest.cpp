// Pasted markup loses the control characters it writes as numeric references, decimal or
// hexadecimal, however they follow one another; other references and the markup stay.
#include "PasteGuard.h"

#include <gtest/gtest.h>

namespace {

TEST(PasteGuardTest, MarkupLosesItsControlCharacterReferences)
{
    const struct {
        const char* name;
        QString html;
        QString cleaned;
    } cases[] = {
        {"two in a row", QStringLiteral("<p>a&#1;&#2;b</p>"), QStringLiteral("<p>ab</p>")},
        {"hexadecimal", QStringLiteral("a&#x1F;&#X7f;b"), QStringLiteral("ab")},
        {"a tab and other references kept", QStringLiteral("a&#9;&#65;&amp;b"),
         QStringLiteral("a&#9;&#65;&amp;b")},
        {"one that a removal makes", QStringLiteral("a&&#1;#2;b"), QStringLiteral("ab")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paste::htmlWithoutControlCharacters(c.html), c.cleaned) << c.name;
}

} // namespace
