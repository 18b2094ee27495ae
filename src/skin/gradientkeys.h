#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <utility>

// How a gradient is stored among a skin's values: "K_Count" stops, each with "K_Pos<i>" (its
// position, 0 to 100) and "K<i>" (its colour), numbered from 1.
namespace gradientkeys {

struct Stop {
    qint32 colour = 0;
    qint32 position = 0;
};

using Entries = QList<std::pair<QString, QVariant>>;

QString countKey(const QString& key);
QString positionKey(const QString& key, int i);
QString colourKey(const QString& key, int i);

// The values that store `stops` under `key`: the count first, then each stop's colour and
// position, with the types the gradient dialog has always stored.
Entries encode(const QString& key, const QList<Stop>& stops);

} // namespace gradientkeys
