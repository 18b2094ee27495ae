#include "colourpicker.h"

#include <QObject>
#include <QPointer>
#include <QQueue>

namespace {

struct PickerState {
    std::function<Colour(Colour)> picker;
    QQueue<std::optional<Colour>> queued;
    QList<Colour> calls;
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
    PickerState& s = state();
    s.calls << ColoreLong;
    if (!s.queued.isEmpty()) {
        const std::optional<Colour> answer = s.queued.dequeue();
        return answer ? *answer : ColoreLong;
    }
    if (!s.picker)
        return ColoreLong;
    // A copy: the picker runs a modal loop, during which it may be registered again.
    const std::function<Colour(Colour)> picker = s.picker;
    return picker(ColoreLong);
}

namespace ColourPickerSeam {

void queueResult(std::optional<Colour> result) {
    state().queued.enqueue(result);
}
int pendingResults() {
    return int(state().queued.size());
}
QList<Colour> calls() {
    return state().calls;
}
void clear() {
    state().queued.clear();
    state().calls.clear();
}

} // namespace ColourPickerSeam
