#pragma once

// What the fuzz targets run on each input, shared with tst_fuzzreplay so that the seeds and the
// inputs kept in fuzz/regressions go through the very same code in every test run. Each check
// returns "" when everything held, otherwise what broke. Errors are recorded, never shown.

#include "common/locations.h"

#include <QByteArray>
#include <QString>

namespace fuzzchecks {

// cBitmap::CreateFromData at the file's own size, 17 x 17 and 16 x 16: the requested size never
// decides whether a file loads, a loaded picture has exactly that size, a refused one leaves the
// object empty, and two loads of the same bytes give the same pixels.
QString checkBitmap(const QByteArray& data);

// The bytes as skin.ini in the working folder of `sandbox`, read into a skin and the schema
// loaded over it as the editor does. At most one error, a list holding the whole schema, only
// plain names to pack, and what the list saves reads back without errors and saves again the
// same (once what cannot be written faithfully, like a CR in a value, has been evened out).
QString checkSkinIni(const QByteArray& data, const Locations& sandbox);

// The first byte of the input separates the rest into a title and then files, each
// "name LF contents" (no LF: an empty file); names are made acceptable to a package and to the
// file system, and unique. They are packed with CreaSknAt, listed, and unpacked into a fresh
// folder: the title, the names, their order and every byte come back. `scratch` is emptied and
// used freely.
QString checkPackRoundTrip(const QByteArray& data, const QString& scratch);

} // namespace fuzzchecks
