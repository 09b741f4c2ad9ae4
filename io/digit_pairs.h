#pragma once
// "00" to "99", two characters each, for writing a number's digits two at a
// time: the pair of n (0 to 99) is at 2 * n.

namespace korvane {

struct DigitPairs {
    char at[200] = {};
};

constexpr DigitPairs MakeDigitPairs() {
    DigitPairs p;
    for (int i = 0; i < 100; ++i) {
        p.at[2 * i] = static_cast<char>('0' + i / 10);
        p.at[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return p;
}

inline constexpr DigitPairs kDigitPairs = MakeDigitPairs();

}  // namespace korvane
