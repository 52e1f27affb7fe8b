#pragma once

#include <QString>
#include <optional>

// The value of a text that reads as a decimal number: blanks around it, a leading sign, a
// fraction and an exponent are accepted, the decimal point is always ".". The empty text, any
// other text and values beyond the range of a double give nullopt.
std::optional<double> DecimalNumber(const QString &text);
