#pragma once
// How the program reads numbers out of text and writes them into messages and files.

#include <QString>
#include <optional>

namespace numbers {

// The nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Every place that turns a typed or stored number into a whole one uses this.
double roundHalfEven(double value);

// The number that the whole text is, blanks around it allowed: an optional sign, digits with
// an optional decimal point, an optional exponent ("12", " -3.5 ", "1e2"). Anything else,
// including an empty text, is not a number.
std::optional<double> wholeTextNumber(const QString &text);

// The number at the start of a text: blanks anywhere are skipped, an optional sign and an
// optional decimal point are taken, and reading stops at the first other character. A text
// without a number gives 0 ("  12abc" -> 12, "- 1 .5" -> -1.5, "x" -> 0).
double leadingValue(const QString &text);

// The decimal digits of a value: a point for fractions and no leading zero (0.5 -> ".5").
QString decimal(double value);

// A number inside a message: one blank (or the minus sign) before it, nothing after ("COMM 1").
QString messageNumber(double value);

// A number between other items of a text file: one blank (or the minus sign) before it and one
// blank after it (" 127 ").
QString printedNumber(double value);

// A whole number rounded half-even into a 16-bit signed integer; nothing if it does not fit.
std::optional<qint16> toInt16(double value);

} // namespace numbers
