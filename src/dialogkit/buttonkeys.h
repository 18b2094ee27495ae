#pragma once

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

// The dialogs keep their buttons from being default ones, so that Enter in a text box applies the
// typed value instead of confirming. A push button that is neither default nor auto-default
// ignores Enter even with the focus on it, and the dialog, which presses only a default button,
// drops the key as well. A dialog hands the keys its children left to this first: Enter presses
// the button that has the focus, as Space does.
inline bool pressFocusedButton(QWidget* dialog, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    auto* button = qobject_cast<QAbstractButton*>(dialog->focusWidget());
    if (!button || !button->isEnabled() || !button->isVisible())
        return false;
    button->click();
    return true;
}
