#pragma once

#include <QString>

// Reading the integers that grid cells and sequence files hold.
//
// A decimal integer is an optional sign ('+' or '-') followed by one or more ASCII digits;
// blanks (spaces and tabs) before and after it are allowed and ignored. Nothing else is
// taken: no hexadecimal, no thousands separators, no other digit scripts. A value that does
// not fit in the target type is not an integer either.

// False (and `value` untouched) when the text is not a decimal integer within 64 bits.
bool readDecimal(const QString& text, qint64& value);
// The same within the signed 32-bit range.
bool readDecimal32(const QString& text, qint32& value);

// The value of a decimal integer text, or `fallback` when the text is not one.
qint64 decimalOr(const QString& text, qint64 fallback);
// The lenient reading: the value, or 0 when the text is not a decimal integer.
inline qint64 decimalOrZero(const QString& text)
{
    return decimalOr(text, 0);
}

// The run-time conversion error for a text that is not an integer.
QString conversionErrorText(const QString& text);
