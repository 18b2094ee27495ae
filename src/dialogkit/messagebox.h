#pragma once

#include "common/errors.h"
#include "dialogkit/userprompts.h"

#include <QString>

class QWidget;

// The questions, messages, text prompts and file choices of the editor as real modal windows,
// and its colour picks through the registered picker (colourpicker.h). The credits and the
// picture browser are dialogs of their own, which EditorPrompts adds.
class MessageBoxPrompts : public UserPrompts {
public:
    Answer question(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                    QMessageBox::StandardButton harmless = QMessageBox::NoButton) override;
    void critical(QWidget* parent, const QString& text,
                  const QString& caption = kAppTitle) override;
    QString inputText(QWidget* parent, const QString& prompt, const QString& caption) override;
    Colour pickColour(QWidget* parent, Colour start) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& suggestedName, const QString& filter) override;

private:
    QString startFolder(const QString& folder) const;
    void remember(const QString& chosen);

    // Within a session the next choice starts where the last one was made.
    QString m_lastFolder;
};

// Shows core errors through the prompts of the window they concern.
class MessageBoxErrorReporter : public ErrorReporter {
public:
    MessageBoxErrorReporter(UserPrompts& prompts, QWidget* parent)
        : m_prompts(prompts), m_parent(parent) {}
    void critical(const QString& caption, const QString& text) override {
        m_prompts.critical(m_parent, text, caption);
    }

private:
    UserPrompts& m_prompts;
    QWidget* m_parent;
};
