#pragma once

#include "common/colour.h"

#include <QString>
#include <QStringView>
#include <optional>

// A colour as web pages and paint programs write it: "#RRGGBB", red first, upper-case digits.
QString colourToHex(Colour c);

// Reads what people type for such a colour: "#RRGGBB" or "RRGGBB", or the short "#RGB" / "RGB"
// (each digit doubled), in either case, blanks around it ignored. Nothing for anything else.
std::optional<Colour> colourFromHex(QStringView text);
