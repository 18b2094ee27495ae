#pragma once

#include "dialogkit/messagebox.h"

// The editor's prompts: the message boxes and file dialogs of MessageBoxPrompts, with the
// credits dialog and the picture browser of this library.
class EditorPrompts final : public MessageBoxPrompts {
public:
    std::optional<BrowsedFile> browsePicture(QWidget* parent, const QString& folder,
                                             const QString& name) override;
    QString editCredits(QWidget* parent, const QString& credits) override;
};
