// How a unit's stored name becomes the words shown beside an amount, and how the
// converter's texts are fitted onto tape lines.
#pragma once

#include <string>
#include <string_view>

namespace tallymar {

// The name without its trailing blanks.
std::string TrimUnitName(std::string_view name);
// "miles, nautical" -> "nautical miles": the text after the first comma and its
// blank, a blank, then the text before the comma. A name without a comma is unchanged.
std::string FlipUnitName(std::string_view name);
// The name beside an amount: the singular for an amount of 1 or -1, the plural for
// any other ("1 foot", "2 feet", "0.5 inches"), trimmed and flipped ("nautical miles").
std::string NameForAmount(std::string_view singular, std::string_view plural, double amount);
// A caption of 16 characters or more containing "square" as the tape shows it:
// "sq." and the caption without its first 6 characters ("sq. kilometer").
std::string ShortenSquare(std::string_view caption);
// The first `count` characters of a UTF-8 text (characters are never split).
std::string FirstCharacters(std::string_view text, int count);

}  // namespace tallymar
