#include "NumberText.h"

#include <QRegularExpression>
#include <charconv>

std::optional<double> DecimalNumber(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^[ \t]*([+-]?)([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?[ \t]*$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    // The reader takes no "+" sign.
    const QString sign = match.captured(1) == QLatin1String("-") ? QStringLiteral("-") : QString();
    const QByteArray number = (sign + match.captured(2) + match.captured(3)).toLatin1();
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return value;
}
