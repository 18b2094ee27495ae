#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QString>

// Windows bitmap files built byte by byte, so the tests can feed every variant the loader meets
// (palettes, run-length encoding, bit fields, top-down rows) and hostile headers.
struct BmpSpec {
    qint32 width = 0;
    qint32 height = 0; // negative for top-down rows
    quint16 bitCount = 24;
    quint32 compression = 0; // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    QList<QRgb> palette;
    QList<quint32> masks; // red, green, blue masks for bit fields
    QByteArray pixels;    // the pixel data exactly as stored
};

QByteArray buildBmp(const BmpSpec& spec);

// Rows of palette indexes (the top row first) packed as uncompressed rows of bitCount bits,
// stored bottom-up unless topDown.
QByteArray packIndexedRows(const QList<QList<int>>& rows, int bitCount, bool topDown);

// Rows of colours (the top row first) as uncompressed 16 (5-5-5), 24 or 32-bit rows, bottom-up.
QByteArray packColourRows(const QList<QList<QRgb>>& rows, int bitCount);

bool writeBytes(const QString& path, const QByteArray& bytes);
