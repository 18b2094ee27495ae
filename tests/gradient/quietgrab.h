#pragma once

#include <QString>
#include <QtGlobal>

// The headless platform cannot grab the pointer for real and says so at every drag of a gradient
// marker; Qt's own routing to the grabbing widget, which the drags rely on, works all the same.
// Call once, from initTestCase.
inline void dropPointerGrabWarnings() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (text == QLatin1String("This plugin does not support grabbing the mouse"))
                return;
            previous(type, context, text);
        });
}
