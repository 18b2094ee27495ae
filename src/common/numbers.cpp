#include "numbers.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool isDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Length of the numeric prefix starting at `start` (0 when there is none) and, for "&H", the
// value it reads.
struct Prefix {
    qsizetype length = 0;
    bool hex = false;
    double hexValue = 0;
};

Prefix scanPrefix(const QString& text, qsizetype start) {
    Prefix p;
    const qsizetype n = text.size();
    qsizetype i = start;
    if (i + 1 < n && text[i] == u'&' && (text[i + 1] == u'H' || text[i + 1] == u'h')) {
        qsizetype j = i + 2;
        quint64 v = 0;
        int digits = 0;
        while (j < n && hexDigit(text[j]) >= 0) {
            // Only the last eight digits can matter for a 32-bit value; keep reading to find the
            // end of the prefix.
            v = ((v << 4) | quint64(hexDigit(text[j]))) & 0xFFFFFFFFull;
            ++digits;
            ++j;
        }
        if (digits == 0)
            return p;
        p.length = j - start;
        p.hex = true;
        p.hexValue = double(qint32(quint32(v)));
        return p;
    }
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        qsizetype j = i + 1;
        qsizetype frac = 0;
        while (j < n && isDigit(text[j])) {
            ++j;
            ++frac;
        }
        if (digits + frac > 0) {
            i = j;
            digits += frac;
        }
    }
    if (digits == 0)
        return p;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        qsizetype expDigits = 0;
        while (j < n && isDigit(text[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    p.length = i - start;
    return p;
}

qsizetype skipBlanks(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

} // namespace

double readNumber(const QString& text) {
    const qsizetype start = skipBlanks(text);
    const Prefix p = scanPrefix(text, start);
    if (p.length == 0)
        return 0;
    if (p.hex)
        return p.hexValue;
    QString digits = text.mid(start, p.length);
    digits.replace(u'd', u'e').replace(u'D', u'e');
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0;
    return v;
}

bool isNumericValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

double readNumber(const QVariant& value) {
    if (isNumericValue(value))
        return value.toDouble();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? -1 : 0;
    case QMetaType::QString:
        return readNumber(value.toString());
    case QMetaType::QByteArray:
        return readNumber(QString::fromLatin1(value.toByteArray()));
    default:
        return 0;
    }
}

bool startsWithNumber(const QString& text) {
    return scanPrefix(text, skipBlanks(text)).length > 0;
}

double roundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless someone
    // changed it; std::round would send halves away from zero.
    const int old = std::fegetround();
    if (old != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    if (old != FE_TONEAREST)
        std::fesetround(old);
    return r;
}

std::optional<qint16> toInt16(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(r);
}

std::optional<qint32> toInt32(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(r);
}

qint32 toInt32Clamped(double value) {
    if (std::isnan(value))
        return 0;
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    if (r > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    return qint32(r);
}

qint16 toInt16Clamped(double value) {
    if (std::isnan(value))
        return 0;
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    if (r > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    return qint16(r);
}

QString printForm(double value) {
    const QString digits = QString::number(value, 'g', 15);
    if (value < 0)
        return digits + u' ';
    return u' ' + digits + u' ';
}
