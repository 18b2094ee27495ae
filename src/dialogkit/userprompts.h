#pragma once

#include "common/colour.h"
#include "common/errors.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <optional>
#include <utility>

class QWidget;

// Everything the editor asks or tells the user: questions, messages, text prompts, colour picks,
// file choices and the credits edit. Each window that asks is handed one; the editor's shows the
// real dialogs, a test's answers from a script, so no test faces a modal window nobody can click
// and none shares its answers with another.
class UserPrompts {
public:
    // Codes as the questions return them.
    enum Answer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

    struct BrowsedFile {
        QString folder; // ends in '/'
        QString name;
    };

    virtual ~UserPrompts() = default;

    // Asks with the given buttons (Yes/No or Yes/No/Cancel), no icon, the application's title as
    // caption, and returns the button pressed. Esc or closing the box by its frame answers Cancel
    // where the set has one; a Yes/No question cannot be dismissed, only answered.
    // `harmless` names the answer that loses nothing: it becomes the button Enter presses and the
    // answer of Esc and of the frame, so that no stray key can take the destructive one.
    virtual Answer question(QWidget* parent, const QString& text,
                            QMessageBox::StandardButtons buttons,
                            QMessageBox::StandardButton harmless = QMessageBox::NoButton) = 0;
    // A message with the critical icon and a single OK button.
    virtual void critical(QWidget* parent, const QString& text,
                          const QString& caption = kAppTitle) = 0;
    // A one-line text prompt; "" when dismissed.
    virtual QString inputText(QWidget* parent, const QString& prompt, const QString& caption) = 0;
    // The colour picker, starting from `start`; `start` again when the user cancels.
    virtual Colour pickColour(QWidget* parent, Colour start) = 0;
    // A file to read, or to write starting from `suggestedName`; "" when the user cancels. An
    // empty `folder` starts where the last choice was made (the user's pictures at first). The
    // save dialog asks before replacing a file.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& suggestedName, const QString& filter) = 0;
    // "Sfoglia...": a picture chosen by folder and name, starting at `folder` and `name`;
    // nothing when the user cancels.
    virtual std::optional<BrowsedFile> browsePicture(QWidget* parent, const QString& folder,
                                                     const QString& name) = 0;
    // "Skin Credits": the credits as edited (five lines joined by CR LF), or `credits` unchanged
    // when the user cancels.
    virtual QString editCredits(QWidget* parent, const QString& credits) = 0;
};

// What a window without prompts of its own uses (a dialog started by a bare launcher, a tool
// with no user in front of it): every question takes its harmless answer (else Cancel, else No),
// every choice is cancelled, and messages go to the error reporter.
UserPrompts& orUnattended(UserPrompts* prompts);

// Runs `ask`, a modal question or pick opened from `dialog`, and tells whether `dialog` outlived
// it. The modal call's event loop lets the main window close the skin, and with it delete the
// dialog; the caller must then return at once without touching anything of the dialog.
template <class Ask> [[nodiscard]] bool askFrom(QObject* dialog, Ask&& ask) {
    const QPointer<QObject> alive(dialog);
    std::forward<Ask>(ask)();
    return !alive.isNull();
}
