#include "price_check.h"

#include "common/int_text.h"

namespace rx42 {

QString tomycurr(const QString& text)
{
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text) {
        if (c != u'.' && c != u',')
            digits.append(c);
    }
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}

QString trim_blanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

int order_count_of(const QString& trimmed_answer)
{
    return parse_int(trimmed_answer).value_or(0);
}

bool in_fake_band(int count, int lower, int upper)
{
    return lower <= count && count <= upper;
}

bool spread_exceeds(int sell, int buy, int threshold)
{
    return qint64(sell) - qint64(buy) > qint64(threshold);
}

}  // namespace rx42
