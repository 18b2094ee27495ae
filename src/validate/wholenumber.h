#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// What a number setting may hold: a whole number that fits 16 bits, in decimal, with an optional
// sign and blanks around it. The client reads anything else as some other number ("2.5" as 2,
// "abc" as 0, "70000" as nothing it can store), so the editor refuses it as it is typed and the
// check reports it in a skin.ini written by hand. Inline, so that a dialog can apply the same
// rule without linking the checks.
inline std::optional<qint16> wholeNumber(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    bool negative = false;
    if (begin < end && (text[begin] == u'-' || text[begin] == u'+')) {
        negative = text[begin] == u'-';
        ++begin;
    }
    if (begin == end)
        return std::nullopt;
    qint64 value = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > 32768) // past the range, more digits cannot bring it back
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return qint16(value);
}
