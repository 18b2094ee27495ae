#pragma once

#include "skin/cskin.h"

#include <QVariant>
#include <functional>
#include <memory>

class cSetting;
class QWidget;

// What every value dialog offers its launcher. The dialog is a top-level window that deletes
// itself when it closes; it keeps its launcher alive (the shared pointer) until then.
class ValueDialog {
public:
    virtual ~ValueDialog() = default;

    // Prepares the dialog with the current value. It may replace the skin reference; the
    // launcher keeps whatever reference is there afterwards. Mask is true only for the mask
    // items of the bitmap editor.
    virtual void Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin,
                       const QVariant& Value, bool Mask) = 0;

    // The dialog's window.
    virtual QWidget* dialogWidget() = 0;

    // Whether the dialog holds an edit not yet confirmed with "Ok" (strokes, a dragged stop, a
    // typed value), which saving or closing the skin would otherwise drop.
    virtual bool hasUnconfirmedChanges() const { return false; }
    // Confirms it as "Ok" would; false when that was refused (reported) and the dialog stays.
    virtual bool confirmChanges() { return true; }
};

// The dialogs are registered per item kind by whoever links them (the application registers
// them all, a test the ones it needs), so the launcher does not depend on every dialog.
using ValueDialogFactory = std::function<ValueDialog*()>;
void registerValueDialog(qint32 kind, ValueDialogFactory factory);
void unregisterValueDialogs();
ValueDialog* createValueDialog(qint32 kind); // nullptr for a kind with no dialog
