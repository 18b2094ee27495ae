#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>

// Reads a text as a number the way the skin files are read everywhere: the longest numeric
// prefix after leading blanks (an optional sign, digits, an optional fraction and exponent), or a
// hexadecimal number introduced by "&H". A text without such a prefix, the empty text included,
// reads as 0.
double readNumber(const QString& text);

// The same for a stored value of any type: numbers as they are, booleans as -1 / 0 (true is
// stored as -1), texts through readNumber, anything else as 0.
double readNumber(const QVariant& value);

// Whether the stored value holds a number (of any integer or floating-point type), as opposed to
// a text, a boolean or nothing.
bool isNumericValue(const QVariant& value);

// Whether the text begins (after blanks) with a number readNumber would take.
bool startsWithNumber(const QString& text);

// Rounds to the nearest integer, halves going to the even one (12.5 -> 12, 13.5 -> 14).
double roundHalfEven(double value);

// Rounds half to even and narrows; empty when the result does not fit (an overflow).
std::optional<qint16> toInt16(double value);
std::optional<qint32> toInt32(double value);

// Narrowing for values that are known to fit or where the caller accepts clamping at the range.
qint32 toInt32Clamped(double value);
qint16 toInt16Clamped(double value);

// The text a number takes when it is printed to a text file: a blank in front of a
// non-negative number (a minus sign otherwise) and one blank after it.
QString printForm(double value);
