#include "sequence/DecimalText.h"

#include <limits>

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

bool readDecimal(const QString& text, qint64& value)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (begin < end && (text[begin] == QLatin1Char('+') || text[begin] == QLatin1Char('-'))) {
        negative = text[begin] == QLatin1Char('-');
        ++begin;
    }
    if (begin == end)
        return false;
    // Accumulate the magnitude as unsigned so that the most negative value fits too.
    const quint64 limit = negative ? quint64(std::numeric_limits<qint64>::max()) + 1
                                   : quint64(std::numeric_limits<qint64>::max());
    quint64 magnitude = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        const quint64 digit = c - u'0';
        if (magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? qint64(0 - magnitude) : qint64(magnitude);
    return true;
}

bool readDecimal32(const QString& text, qint32& value)
{
    qint64 v = 0;
    if (!readDecimal(text, v) || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return false;
    value = qint32(v);
    return true;
}

qint64 decimalOr(const QString& text, qint64 fallback)
{
    qint64 v = 0;
    return readDecimal(text, v) ? v : fallback;
}

QString conversionErrorText(const QString& text)
{
    return QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text);
}
