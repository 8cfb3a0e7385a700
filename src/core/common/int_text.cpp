#include "int_text.h"

#include "handler_guard.h"

namespace rx42 {

std::optional<int> parse_int(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).unicode() <= 0x20)
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    if (i == n)
        return std::nullopt;
    qint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > qint64(2147483648))
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > 2147483647 || value < -qint64(2147483648))
        return std::nullopt;
    return int(value);
}

QString not_a_valid_integer_text(const QString& text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

int str_to_int(const QString& text)
{
    if (const auto value = parse_int(text))
        return *value;
    throw HandlerError(not_a_valid_integer_text(text));
}

}  // namespace rx42
