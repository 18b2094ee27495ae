#pragma once

// What the dialog tests share: a main window stand-in for the launcher, with a real property list
// bound to a real skin document, and small input helpers.

#include "dialogkit/csetting.h"
#include "proplist/proplistmodel.h"
#include "scriptedprompts.h"
#include "skin/cskin.h"
#include "testsupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class FakeHost : public SettingHost {
public:
    FakeHost() {
        skin = std::make_shared<cSkin>(folders.locations());
        owner.resize(200, 100);
    }

    // One category holding the given items; the values are stored in the document first, so that
    // the list reads them from there as it does for a loaded skin.
    struct Item {
        QString key;
        QString caption;
        qint32 kind;
        QVariant value;
    };
    void load(const QList<Item>& items) {
        for (const Item& it : items)
            skin->AddInfo(it.key, it.value);
        list.LoadingItems();
        list.AddCat(QStringLiteral("cat"), QStringLiteral("Categoria"));
        for (const Item& it : items)
            list.AddItem(QStringLiteral("cat"), it.caption, it.key, it.kind);
        list.Ready(skin);
    }

    // Starts a launcher for `key` as the main window does.
    std::shared_ptr<cSetting> edit(const QString& key) {
        auto setting = cSetting::create();
        SkinRef s = skin;
        setting->Init(key, this, s);
        launchers << setting;
        return setting;
    }

    PropListModel* settingsList() override { return &list; }
    QWidget* settingsOwner() override { return &owner; }
    ClosingNotifier* closingNotifier() override { return &notifier; }
    UserPrompts* prompts() override { return &scripted; }

    TestFolders folders;
    ScriptedPrompts scripted;
    SkinRef skin;
    PropListModel list;
    QWidget owner;
    ClosingNotifier notifier;
    QList<std::shared_ptr<cSetting>> launchers;
};

// A mouse event with an explicit button state, sent straight to the widget.
inline void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

inline void pressAt(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    sendMouse(w, QEvent::MouseButtonPress, pos, button, button);
}
inline void dragTo(QWidget* w, QPoint pos, Qt::MouseButtons held = Qt::LeftButton) {
    sendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, held);
}
inline void releaseAt(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    sendMouse(w, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

// A double click as a user makes it: press, release, then the second press (which Qt reports as
// a double click) and its release. QTest::mouseDClick alone sends only the second press.
inline void doubleClick(QWidget* w, QPoint pos) {
    QTest::mousePress(w, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(w, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(w, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(w, Qt::LeftButton, {}, pos);
}

// Runs `script` once the next modal window is on screen (polling, since the window appears only
// inside the call under test).
inline void whenModalShown(std::function<void(QWidget*)> script) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, script] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        const QPointer<QWidget> guard = modal;
        script(modal);
        // A script that failed half-way must not leave the call under test waiting forever.
        if (guard && guard->isVisible())
            guard->close();
    });
    timer->start();
}

// The colour of the pixel at `pos` of the widget as drawn on screen.
inline QRgb grabbedPixel(QWidget* w, QPoint pos) {
    return w->grab().toImage().pixel(pos);
}
