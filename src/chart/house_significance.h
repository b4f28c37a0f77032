// The house of the Torvi Lagna counted from the ascendant's sign, and the
// sentence that tells what that house signifies.
#pragma once

#include <array>
#include <string_view>

namespace selmarind {

// Sentence of houses 1..12 (index 0 = house 1), shown as they stand: houses
// 1, 8, 9, 10 and 11 keep their trailing spaces.
inline constexpr std::array<std::string_view, 12> kHouseSentences = {
    "If you have a good reputation and are famous then wealth and riches will come knocking on "
    "your doors. ",
    "Family life will gain importance. You will understand that your true happiness is with "
    "spending time with your wife and children.",
    "Establish your creative pursuits and build a profitable career around it. This will not only "
    "give you wealth but also happiness.",
    "Your heart is where your home is. If you have been thinking of returning home or coming back "
    "to the place of our birth, do not delay. You will be more happy and satisfied going back to "
    "your roots.",
    "You will spend more time with your children and people who support you. This maybe a period "
    "of reckoning and realizing who your true well wishers are.",
    "Survival of the fittest. That's the keyword of this placement. You will need to know how to "
    "survive in order to achieve happiness and prosperity.",
    "You will crave for a partner and look forward to getting into a relationship. This is of "
    "utmost importance to you.",
    "You will gain money from people who return their debts. There will be a play of destiny.    ",
    "Wisdom and knowledge will be of utmost importance.  ",
    "Build your professional career and look at it as the most important aspect if your life.    ",
    "You will need to understand the importance of friendships and know how to work in groups for "
    "mutual benefit.    ",
    "You will gain money from foreign places.",
};

// House 1..12 of the Torvi Lagna sign counted from the ascendant's sign as
// house 1 (the sign before the ascendant's is house 12). Both signs are
// numbered 1 (Aries) to 12; 0 when either is outside that range.
int TorviLagnaHouse(int torviLagnaSign, int ascendantSignNumber);

// Sentence of house 1..12; empty for any other number.
std::string_view HouseSentence(int house);

} // namespace selmarind
