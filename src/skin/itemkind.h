#pragma once

#include <QtGlobal>

// The kind of a property-list item; it decides how the value is shown, how it is written to
// skin.ini and which editor opens. The codes are stored nowhere but are part of the command
// line's output, so they never change.
enum ItemKind : qint32 {
    KindColor = 0,
    KindImage = 1,
    KindNumber = 2,
    KindString = 3,
    KindBool = 4,
    KindMask = 5,
    KindGradient = 6,
    KindFile = 7,
};
