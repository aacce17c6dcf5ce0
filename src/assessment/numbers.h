#pragma once

// The program's number conversions. Texts are UTF-8; the user's separators are
// passed in by the caller, never read from the process locale.

#include <string>
#include <string_view>

namespace assessment {

struct Separators
{
    std::string decimal = ".";
    std::string grouping = ",";
};

// Number-reading rule: the number at the start of a text, point as decimal
// separator, blanks ignored; a text with no leading number reads as 0.
double readNumber(std::string_view text);

// Numeric test: optional blanks around, an optional sign, digits with at most
// one decimal mark ("," or "."), at least one digit.
bool isNumeric(std::string_view text);

// The first comma of a text turned into a point.
std::string withDecimalPoint(std::string text);

// The value taken to 15 significant digits.
double toSignificant15(double value);

// The value rounded as the standard number format rounds it: 15 significant
// digits, then two decimals with halves away from zero.
double roundedToCents(double value);

// " 65", " 2621.05", "-5": point, no grouping, no trailing zeros.
std::string signedNumberText(double value);

// "2621,05": the user's decimal separator, no grouping, no trailing zeros.
std::string localNumberText(double value, const Separators &separators);

// "1.703,68": two decimals, the user's decimal and grouping separators.
std::string standardFormat(double value, const Separators &separators);

// Reads a standard-format text back: grouping removed, the user's decimal
// separator taken as the point.
double readStandardFormat(std::string_view text, const Separators &separators);

} // namespace assessment
