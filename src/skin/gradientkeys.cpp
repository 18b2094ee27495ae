#include "skin/gradientkeys.h"

namespace gradientkeys {

QString countKey(const QString& key) {
    return key + QStringLiteral("_Count");
}

QString positionKey(const QString& key, int i) {
    return key + QStringLiteral("_Pos<") + QString::number(i) + u'>';
}

QString colourKey(const QString& key, int i) {
    return key + u'<' + QString::number(i) + u'>';
}

Entries encode(const QString& key, const QList<Stop>& stops) {
    Entries out;
    out.reserve(1 + 2 * stops.size());
    out.append({countKey(key), QVariant::fromValue(qint16(stops.size()))});
    for (qsizetype i = 0; i < stops.size(); ++i) {
        out.append({colourKey(key, int(i + 1)), QVariant(stops[i].colour)});
        out.append({positionKey(key, int(i + 1)), QVariant(stops[i].position)});
    }
    return out;
}

} // namespace gradientkeys
