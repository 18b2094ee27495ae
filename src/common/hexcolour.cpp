#include "common/hexcolour.h"

QString colourToHex(Colour c) {
    return QStringLiteral("#%1%2%3")
        .arg(colourRed(c), 2, 16, QLatin1Char('0'))
        .arg(colourGreen(c), 2, 16, QLatin1Char('0'))
        .arg(colourBlue(c), 2, 16, QLatin1Char('0'))
        .toUpper();
}

std::optional<Colour> colourFromHex(QStringView text) {
    QStringView t = text.trimmed();
    if (t.startsWith(u'#'))
        t = t.mid(1);
    if (t.size() != 3 && t.size() != 6)
        return std::nullopt;
    int digits[6] = {};
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t ch = t[i].unicode();
        if (ch >= u'0' && ch <= u'9')
            digits[i] = ch - u'0';
        else if (ch >= u'a' && ch <= u'f')
            digits[i] = ch - u'a' + 10;
        else if (ch >= u'A' && ch <= u'F')
            digits[i] = ch - u'A' + 10;
        else
            return std::nullopt;
    }
    if (t.size() == 3)
        return makeColour(digits[0] * 17, digits[1] * 17, digits[2] * 17);
    return makeColour(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3],
                      digits[4] * 16 + digits[5]);
}
