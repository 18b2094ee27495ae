#pragma once

#include <QString>

// Whether a name stays a file directly inside the folder it is joined to, whatever that folder
// and host: not empty, "." or "..", no folder separator of either kind, no drive or stream colon,
// no control character (NUL included) and no DEL. Packages, typed names and the property list all
// write files under such names, so one rule decides for every one of them.
bool isPlainFileName(const QString& name);
