#include "numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace assessment {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A finite value as decimal digits, split at the decimal point.
struct Decimal
{
    bool negative = false;
    std::string integer = "0";
    std::string fraction;
};

Decimal toDecimal15(double value)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));

    Decimal decimal;
    std::size_t pos = 0;
    if (text[pos] == '-') {
        decimal.negative = true;
        ++pos;
    }
    std::string digits;
    for (; pos < text.size() && text[pos] != 'e'; ++pos) {
        if (isDigit(text[pos]))
            digits += text[pos];
    }
    int exponent = 0;
    std::from_chars(text.data() + pos + 1 + (text[pos + 1] == '+'), text.data() + text.size(),
                    exponent);

    const int pointAt = exponent + 1;
    const int count = static_cast<int>(digits.size());
    if (pointAt <= 0) {
        decimal.fraction = std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
    } else if (pointAt >= count) {
        decimal.integer = digits + std::string(static_cast<std::size_t>(pointAt - count), '0');
    } else {
        decimal.integer = digits.substr(0, static_cast<std::size_t>(pointAt));
        decimal.fraction = digits.substr(static_cast<std::size_t>(pointAt));
    }
    return decimal;
}

bool isZero(const Decimal &decimal)
{
    return decimal.integer.find_first_not_of('0') == std::string::npos &&
           decimal.fraction.find_first_not_of('0') == std::string::npos;
}

Decimal roundedHalfAway(Decimal decimal, std::size_t places)
{
    decimal.fraction.resize(std::max(decimal.fraction.size(), places + 1), '0');
    const bool up = decimal.fraction[places] >= '5';
    decimal.fraction.resize(places);
    if (up) {
        std::string digits = decimal.integer + decimal.fraction;
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
        decimal.integer = digits.substr(0, digits.size() - places);
        decimal.fraction = digits.substr(digits.size() - places);
    }
    return decimal;
}

Decimal withoutTrailingZeros(Decimal decimal)
{
    const auto last = decimal.fraction.find_last_not_of('0');
    decimal.fraction.resize(last == std::string::npos ? 0 : last + 1);
    return decimal;
}

std::string render(const Decimal &decimal, const std::string &decimalSeparator,
                   const std::string &groupingSeparator)
{
    std::string text = isZero(decimal) || !decimal.negative ? "" : "-";
    const std::string &integer = decimal.integer;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            text += groupingSeparator;
        text += integer[i];
    }
    if (!decimal.fraction.empty())
        text += decimalSeparator + decimal.fraction;
    return text;
}

double parsePlain(std::string_view text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string nonFiniteText(double value)
{
    if (std::isnan(value))
        return "nan";
    return value < 0 ? "-inf" : "inf";
}

} // namespace

double readNumber(std::string_view text)
{
    std::string number;
    std::size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
    };
    const auto takeDigits = [&] {
        bool any = false;
        for (skipBlanks(); pos < text.size() && isDigit(text[pos]); skipBlanks()) {
            number += text[pos++];
            any = true;
        }
        return any;
    };

    skipBlanks();
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    bool anyDigit = takeDigits();
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        number += '.';
        anyDigit = takeDigits() || anyDigit;
    }
    if (!anyDigit)
        return 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        const std::size_t mark = pos;
        const std::size_t numberLength = number.size();
        ++pos;
        skipBlanks();
        number += 'e';
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            number += text[pos++];
        if (!takeDigits()) {
            pos = mark;
            number.resize(numberLength);
        }
    }

    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const auto e = number.find('e');
        const bool huge = e != std::string::npos && number[e + 1] != '-';
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

bool isNumeric(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    const auto last = text.find_last_not_of(" \t");
    std::string_view body = text.substr(first, last - first + 1);
    if (body.front() == '+' || body.front() == '-')
        body.remove_prefix(1);

    int digits = 0;
    int marks = 0;
    for (const char c : body) {
        if (isDigit(c))
            ++digits;
        else if (c == ',' || c == '.')
            ++marks;
        else
            return false;
    }
    return digits > 0 && marks <= 1;
}

std::string withDecimalPoint(std::string text)
{
    const auto comma = text.find(',');
    if (comma != std::string::npos)
        text[comma] = '.';
    return text;
}

double toSignificant15(double value)
{
    if (!std::isfinite(value))
        return value;
    const Decimal decimal = toDecimal15(value);
    return parsePlain(render(decimal, ".", ""));
}

double roundedToCents(double value)
{
    if (!std::isfinite(value))
        return value;
    return parsePlain(render(roundedHalfAway(toDecimal15(value), 2), ".", ""));
}

std::string signedNumberText(double value)
{
    if (!std::isfinite(value))
        return (value < 0 ? "" : " ") + nonFiniteText(value);
    const Decimal decimal = withoutTrailingZeros(toDecimal15(value));
    const std::string text = render(decimal, ".", "");
    return text.front() == '-' ? text : " " + text;
}

std::string localNumberText(double value, const Separators &separators)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return render(withoutTrailingZeros(toDecimal15(value)), separators.decimal, "");
}

std::string standardFormat(double value, const Separators &separators)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return render(roundedHalfAway(toDecimal15(value), 2), separators.decimal, separators.grouping);
}

double readStandardFormat(std::string_view text, const Separators &separators)
{
    std::string plain(text);
    if (!separators.grouping.empty()) {
        for (auto at = plain.find(separators.grouping); at != std::string::npos;
             at = plain.find(separators.grouping, at))
            plain.erase(at, separators.grouping.size());
    }
    if (!separators.decimal.empty() && separators.decimal != ".") {
        const auto at = plain.find(separators.decimal);
        if (at != std::string::npos)
            plain.replace(at, separators.decimal.size(), ".");
    }
    return readNumber(plain);
}

} // namespace assessment
