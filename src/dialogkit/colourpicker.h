#pragma once

#include "common/colour.h"
#include "skin/cskin.h"

#include <functional>

class QObject;
class QWidget;

// The registered colour picker used as a function: shows "Selezionatore di colori" modally,
// starting from ColoreLong, and returns the chosen colour, or ColoreLong when the user cancels (or
// when no picker is registered). Windows ask through their UserPrompts, whose editor
// implementation calls this.
Colour SelezionaColore(Colour ColoreLong);

// The picker is registered by whoever links the colour dialog (the application, a test), so the
// editors that ask for a colour do not depend on the dialogs.
void registerColourPicker(std::function<Colour(Colour)> picker);

// The skin open in the main window, whose colours the picker offers also when an editor calls it
// as a function. The source is dropped when `owner` is destroyed.
void setOpenSkinSource(QObject* owner, std::function<SkinRef()> source);
SkinRef openSkin(); // nullptr when no skin is open or no source is set
