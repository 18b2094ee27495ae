#pragma once

#include "common/colour.h"
#include "skin/cskin.h"

#include <QList>

// Every distinct colour a skin uses, as the picker offers them: the colour items that are set,
// then the stops of its gradients, each colour once, in the order of the property list.
QList<Colour> skinColours(const cSkin& skin);

// The colours last confirmed in the picker, newest first, kept in the user's settings between
// sessions.
namespace RecentColours {

inline constexpr int kLimit = 12;

QList<Colour> load();
// Puts c in front; an earlier entry of the same colour moves up rather than repeating, and the
// oldest beyond the limit drop out.
void remember(Colour c);

} // namespace RecentColours
