#pragma once

#include "dialogkit/userprompts.h"
#include "dialogkit/valuedialog.h"
#include "skin/cskin.h"
#include "skin/gradientkeys.h"
#include "skin/settinglist.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <memory>

class QWidget;

// Raises the main window's Closing event; every launcher listens to it.
class ClosingNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void raise() { Q_EMIT Closing(); }
Q_SIGNALS:
    void Closing();
};

// What a launcher needs of the window that starts it.
class SettingHost {
public:
    virtual ~SettingHost() = default;
    virtual SettingList* settingsList() = 0; // the property list whose item is edited
    virtual QWidget* settingsOwner() = 0;    // the main window (owner of the colour picker)
    virtual ClosingNotifier* closingNotifier() = 0;
    // Through which the dialogs it starts ask and tell the user (nullptr: unattended).
    virtual UserPrompts* prompts() = 0;
    // What an open dialog would store if confirmed now (values, and pictures by file name), so
    // that the window can show it before it is; empty lists once the dialog has closed.
    virtual void pendingChanged(const cSetting* /*launcher*/,
                                const QList<std::pair<QString, QVariant>>& /*values*/,
                                const QList<std::pair<QString, QImage>>& /*pictures*/) {}
};

// Binds one setting of the open skin to the dialog that edits it: opens the dialog fitting the
// item's kind, stores the confirmed value into the list, and closes the dialog when the main
// window announces Closing. Created through create() so that the dialog can keep it alive.
class cSetting : public QObject, public std::enable_shared_from_this<cSetting> {
    Q_OBJECT
public:
    static std::shared_ptr<cSetting> create();
    ~cSetting() override;

    // Starts editing SettName; returns as soon as the dialog is on screen (modeless).
    void Init(const QString& SettName, SettingHost* Parent, SkinRef& Skin);

    // Called by the dialog on "Ok": stores Value into the list under the setting's key.
    void ReturnValue(const QVariant& Value);
    // The gradient dialog's "Ok": every stop, as one change.
    void ReturnGradient(const QList<gradientkeys::Stop>& Stops);
    // The picture editor's "Ok": the files it wrote and the item's value, as one change. False
    // when a file could not be written (reported; nothing changed).
    bool ReturnPictures(const QVariant& Value, const QList<std::pair<QString, QByteArray>>& Files);

    // The dialog's edit not yet confirmed, for the window to show (a colour being picked, stops
    // being dragged, strokes); it is withdrawn when the dialog closes, whichever way.
    void ShowPending(const QList<std::pair<QString, QVariant>>& Values,
                     const QList<std::pair<QString, QImage>>& Pictures = {});

    QString SettName() const { return mSettName; }

    // What the dialog asks and tells the user through: the host's prompts, or those given to a
    // launcher started without a host.
    UserPrompts& prompts() const { return orUnattended(mPrompts); }
    void setPrompts(UserPrompts* prompts) { mPrompts = prompts; }

    // The open dialog, or nullptr once it closed.
    QWidget* form() const { return mForm.data(); }
    // The open dialog as a value dialog, or nullptr once it closed.
    ValueDialog* dialog() const { return mForm ? mDialog : nullptr; }
    SkinRef skin() const { return mSkin; }

private:
    cSetting() = default;
    void onClosing();
    void withdrawPending();

    SettingHost* mParent = nullptr;
    UserPrompts* mPrompts = nullptr;
    QPointer<SettingList> mList; // the host's list, watched: a dialog may outlive it
    QPointer<QWidget> mForm;
    ValueDialog* mDialog = nullptr; // the same window; valid while mForm is
    QString mSettName;
    SkinRef mSkin;
    QMetaObject::Connection mClosingConnection;
    bool mPending = false; // something shown through ShowPending is still shown
    // Dies with the host's members, before the host itself: a dialog that outlives the main
    // window must not call into what is left of it.
    QPointer<QObject> mHostAlive;
};
