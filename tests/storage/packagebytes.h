#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QtGlobal>

// Builds package bytes by hand, so tests can state exactly what a file holds, broken ones too.
namespace packagebytes {

inline QByteArray text(const QByteArray& bytes) {
    return char(quint8(bytes.size())) + bytes;
}

inline QByteArray longLE(quint32 v) {
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = char((v >> (8 * i)) & 255);
    return out;
}

inline QByteArray block(const QByteArray& data) {
    return longLE(quint32(data.size())) + data;
}

using Entries = QList<QPair<QByteArray, QByteArray>>;

inline QByteArray entries(const Entries& list) {
    QByteArray out;
    for (const auto& [name, data] : list)
        out += text(name) + block(data);
    return out;
}

// A skin package; `count` overrides the declared number of entries when not negative.
inline QByteArray skin(const QByteArray& title, const Entries& list, qint64 count = -1) {
    return text("QuenlarkSkin") + text(title) + longLE(quint32(count < 0 ? list.size() : count)) +
           entries(list);
}

inline QByteArray settings(const Entries& list, qint64 count = -1) {
    return text("QuenlarkSettings") + longLE(quint32(count < 0 ? list.size() : count)) +
           entries(list);
}

} // namespace packagebytes
