#include "colourpicker.h"

#include <QObject>
#include <QPointer>

namespace {

struct PickerState {
    std::function<Colour(Colour)> picker;
    QPointer<QObject> skinOwner;
    std::function<SkinRef()> skinSource;
};

PickerState& state() {
    static PickerState s;
    return s;
}

} // namespace

void registerColourPicker(std::function<Colour(Colour)> picker) {
    state().picker = std::move(picker);
}

void setOpenSkinSource(QObject* owner, std::function<SkinRef()> source) {
    state().skinOwner = owner;
    state().skinSource = owner ? std::move(source) : nullptr;
}

SkinRef openSkin() {
    const PickerState& s = state();
    return s.skinOwner && s.skinSource ? s.skinSource() : nullptr;
}

Colour SelezionaColore(Colour ColoreLong) {
    const PickerState& s = state();
    if (!s.picker)
        return ColoreLong;
    // A copy: the picker runs a modal loop, during which it may be registered again.
    const std::function<Colour(Colour)> picker = s.picker;
    return picker(ColoreLong);
}
