// Lookup tables of the puzzle alphabet and its two display orders.
#include "Alphabet.h"

namespace alphabet {

namespace {

constexpr std::array<std::int8_t, 256> makeLatin1Index()
{
    std::array<std::int8_t, 256> table{};
    for (auto& slot : table)
        slot = -1;
    for (int i = 0; i < kLetterCount; ++i)
        if (kLetters[i] < 256)
            table[kLetters[i]] = static_cast<std::int8_t>(i);
    return table;
}

constexpr std::array<int, kLetterCount> makeOrder(std::u16string_view letters)
{
    std::array<int, kLetterCount> order{};
    for (int i = 0; i < kLetterCount; ++i)
        for (int j = 0; j < kLetterCount; ++j)
            if (kLetters[j] == letters[i])
                order[i] = j;
    return order;
}

// Both orders start with A to Z and end with Œ Ô Î; only the other accented capitals move.
constexpr std::array<int, kLetterCount> kInitialisationOrder =
    makeOrder(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ\u00C0\u00C2\u00C7\u00C9\u00C8\u00CA\u00D9\u00DB\u0152"
              u"\u00D4\u00CE");
constexpr std::array<int, kLetterCount> kRecountOrder =
    makeOrder(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ\u00C0\u00C7\u00D9\u00C9\u00DB\u00C2\u00CA\u00C8\u0152"
              u"\u00D4\u00CE");

} // namespace

const std::array<std::int8_t, 256> kLatin1LetterIndex = makeLatin1Index();

const std::bitset<65536>& upperCaseLetters()
{
    static const std::bitset<65536> table = [] {
        std::bitset<65536> upper;
        for (char32_t u = 0; u < 65536; ++u)
            upper.set(u, QChar::isUpper(u));
        return upper;
    }();
    return table;
}

QChar baseLetter(QChar c)
{
    while (c.decompositionTag() == QChar::Canonical)
        c = c.decomposition().at(0);
    return c;
}

BaseLetters::BaseLetters()
{
    for (char16_t u = 0; u < kLatinEnd; ++u)
        m_latin[u] = baseLetter(QChar(u)).unicode();
}

const BaseLetters& baseLetters()
{
    static const BaseLetters bases;
    return bases;
}

const std::array<int, kLetterCount>& displayOrder(DisplayOrder order)
{
    return order == DisplayOrder::Initialisation ? kInitialisationOrder : kRecountOrder;
}

} // namespace alphabet
