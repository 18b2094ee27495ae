#include "bmpfiles.h"

#include <QFile>

namespace {

void put16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void put32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void padRow(QByteArray& row) {
    while (row.size() % 4 != 0)
        row.append('\0');
}

} // namespace

QByteArray buildBmp(const BmpSpec& spec) {
    QByteArray info;
    put32(info, 40);
    put32(info, quint32(spec.width));
    put32(info, quint32(spec.height));
    put16(info, 1);
    put16(info, spec.bitCount);
    put32(info, spec.compression);
    put32(info, quint32(spec.pixels.size()));
    put32(info, 2835);
    put32(info, 2835);
    put32(info, quint32(spec.palette.size()));
    put32(info, 0);
    for (quint32 m : spec.masks)
        put32(info, m);
    for (QRgb c : spec.palette) {
        info.append(char(qBlue(c)));
        info.append(char(qGreen(c)));
        info.append(char(qRed(c)));
        info.append('\0');
    }
    QByteArray file("BM");
    const quint32 offset = 14 + quint32(info.size());
    put32(file, offset + quint32(spec.pixels.size()));
    put32(file, 0);
    put32(file, offset);
    return file + info + spec.pixels;
}

QByteArray packIndexedRows(const QList<QList<int>>& rows, int bitCount, bool topDown) {
    QByteArray out;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QList<int>& line = rows[topDown ? r : rows.size() - 1 - r];
        QByteArray row;
        int acc = 0;
        int bits = 0;
        for (int index : line) {
            acc = (acc << bitCount) | index;
            bits += bitCount;
            if (bits == 8) {
                row.append(char(acc));
                acc = 0;
                bits = 0;
            }
        }
        if (bits > 0)
            row.append(char(acc << (8 - bits)));
        padRow(row);
        out += row;
    }
    return out;
}

QByteArray packColourRows(const QList<QList<QRgb>>& rows, int bitCount) {
    QByteArray out;
    for (qsizetype r = rows.size() - 1; r >= 0; --r) {
        QByteArray row;
        for (QRgb c : rows[r]) {
            if (bitCount == 16) {
                put16(row,
                      quint16(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3)));
            } else {
                row.append(char(qBlue(c)));
                row.append(char(qGreen(c)));
                row.append(char(qRed(c)));
                if (bitCount == 32)
                    row.append('\0');
            }
        }
        padRow(row);
        out += row;
    }
    return out;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
