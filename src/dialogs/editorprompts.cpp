#include "editorprompts.h"

#include "dialogs/frmcredits.h"
#include "dialogs/frmsfoglia.h"

// Both dialogs are modal without owner, as the design has them.

std::optional<UserPrompts::BrowsedFile>
EditorPrompts::browsePicture(QWidget*, const QString& folder, const QString& name) {
    BrowsedFile chosen;
    if (!frmSfoglia::Sfoglia(folder, name, &chosen.folder, &chosen.name))
        return std::nullopt;
    return chosen;
}

QString EditorPrompts::editCredits(QWidget*, const QString& credits) {
    return frmCredits::ModificaCredits(credits);
}
