#include "csetting.h"

#include "skin/itemkind.h"
#include "skin/skindocument.h"

#include <QHash>
#include <QWidget>

namespace {

QHash<qint32, ValueDialogFactory>& registry() {
    static QHash<qint32, ValueDialogFactory> factories;
    return factories;
}

} // namespace

void registerValueDialog(qint32 kind, ValueDialogFactory factory) {
    registry().insert(kind, std::move(factory));
}

void unregisterValueDialogs() {
    registry().clear();
}

ValueDialog* createValueDialog(qint32 kind) {
    const auto it = registry().constFind(kind);
    if (it == registry().constEnd() || !*it)
        return nullptr;
    return (*it)();
}

std::shared_ptr<cSetting> cSetting::create() {
    return std::shared_ptr<cSetting>(new cSetting());
}

cSetting::~cSetting() {
    QObject::disconnect(mClosingConnection);
    withdrawPending();
}

void cSetting::ShowPending(const QList<std::pair<QString, QVariant>>& Values,
                           const QList<std::pair<QString, QImage>>& Pictures) {
    if (!mParent || !mHostAlive || !mForm)
        return;
    mPending = true;
    mParent->pendingChanged(this, Values, Pictures);
}

void cSetting::withdrawPending() {
    if (!mPending || !mParent || !mHostAlive)
        return;
    mPending = false;
    mParent->pendingChanged(this, {}, {});
}

void cSetting::Init(const QString& SettName, SettingHost* Parent, SkinRef& Skin) {
    mParent = Parent;
    if (mParent)
        mPrompts = mParent->prompts();
    mHostAlive = mParent ? mParent->closingNotifier() : nullptr;
    if (mParent && mParent->closingNotifier()) {
        mClosingConnection = QObject::connect(mParent->closingNotifier(), &ClosingNotifier::Closing,
                                              this, &cSetting::onClosing);
    }
    mSkin = Skin;
    mSettName = SettName;
    SettingList* list = mParent ? mParent->settingsList() : nullptr;
    mList = list;
    if (!list)
        return;
    const qint32 kind = list->RetrType(mSettName);
    ValueDialog* dialog = createValueDialog(kind);
    if (!dialog)
        return;
    QWidget* window = dialog->dialogWidget();
    window->setAttribute(Qt::WA_DeleteOnClose);
    mForm = window;
    // Confirmed or not, what the dialog showed as pending is over once it is gone.
    QObject::connect(window, &QObject::destroyed, this, [this] { withdrawPending(); });
    mDialog = dialog;
    // Avvia may replace the launcher's skin reference; the caller's own reference stays as it
    // was (the main window keeps the skin it opened).
    dialog->Avvia(shared_from_this(), mSkin, list->RetrData(mSettName), kind == KindMask);
    // A message shown by Avvia runs an event loop, in which Closing may already have closed and
    // deleted the dialog.
    if (!mForm)
        return;
    window->setWindowTitle(list->RetrCaption(mSettName));
    if (kind == KindColor && mParent->settingsOwner()) {
        // The colour picker is owned by the main window and stays above it.
        window->setParent(mParent->settingsOwner(), window->windowFlags() | Qt::Dialog);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void cSetting::ReturnValue(const QVariant& Value) {
    mForm = nullptr;
    // A dialog without owner may outlive the main window and its list; then there is nothing
    // left to store into.
    if (mList)
        mList->setDataFrom(mSettName, Value, reinterpret_cast<quintptr>(this));
}

void cSetting::ReturnGradient(const QList<gradientkeys::Stop>& Stops) {
    mForm = nullptr;
    if (mList) {
        mList->setGradient(mSettName, Stops, reinterpret_cast<quintptr>(this));
    } else if (mSkin) {
        // No list to take the change (no main window): the stops still reach the skin.
        for (const auto& [key, value] : gradientkeys::encode(mSettName, Stops))
            mSkin->AddInfo(key, value);
    }
}

bool cSetting::ReturnPictures(const QVariant& Value,
                              const QList<std::pair<QString, QByteArray>>& Files) {
    if (!mList) {
        // The main window is gone, the working folder may still be there: the pictures are
        // written as confirmed, though nothing is left to take the value.
        const QString folder = mSkin ? mSkin->SkinPath() : QString();
        for (const auto& [name, bytes] : Files) {
            if (folder.isEmpty() || SkinDocument::writeWorkingFile(folder + name, bytes) != 0)
                return false;
        }
        mForm = nullptr;
        return true;
    }
    QString error;
    if (!mList->setPictures(mSettName, Value, Files, &error))
        return false;
    mForm = nullptr;
    return true;
}

void cSetting::onClosing() {
    if (mForm) {
        QWidget* form = mForm;
        mForm = nullptr;
        form->close();
    }
}
