// The rules a thread may choose beside the usual game: every capital hidden, accents optional.
#pragma once

struct Rules {
    // Every upper-case letter of the reference is hidden, counted and a word character, not only
    // the 37 of the alphabet. A puzzle keeps the value it was initialised under.
    bool allLetters = false;
    // A proposal's letter reveals a hidden letter that is the same once accents are set aside.
    bool optionalAccents = false;

    bool operator==(const Rules&) const = default;
};
