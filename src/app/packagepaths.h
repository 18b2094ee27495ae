#pragma once

#include "common/locations.h"

#include <QString>

// How the editor names the packages it opens: by file name inside the skins folder, by full path
// anywhere else, so that each is saved back where it came from.
namespace packagepaths {

// The name a skin document takes for the package at `path`: its file name when it lies in the
// skins folder (it then behaves exactly as one chosen in "Carica"), its full path otherwise.
QString documentName(const Locations& locations, const QString& path);
// The full path of the package a document name stands for.
QString fullPath(const Locations& locations, const QString& name);
// What the caption and the questions call it.
QString shownName(const QString& name);

} // namespace packagepaths
