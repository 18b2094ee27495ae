#pragma once

#include <QByteArray>
#include <QString>

// The single-byte code page of the skin files (Windows-1252). A character the code page cannot
// hold is written as '?'; the five unassigned bytes 81, 8D, 8F, 90 and 9D read as the C1 control
// characters of the same value, as the platform's converter does.
QByteArray encodeCp1252(const QString& text);
QString decodeCp1252(const QByteArray& bytes);
QString decodeCp1252(const char* data, qsizetype size);
