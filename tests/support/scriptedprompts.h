#pragma once

#include "dialogkit/userprompts.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

// The prompts of one test: every question, prompt and choice takes the next answer the test
// queued for its kind, in order, and shows nothing. One that comes with nothing queued fails the
// running test and is answered harmlessly (the harmless button, else Cancel or No; choices are
// cancelled). Messages are only recorded.
//
// `meanwhile` runs inside the "modal call", before the answer is given: what the modal window's
// event loop could let happen while the user looks at it (the main window closing the skin).
class ScriptedPrompts final : public UserPrompts {
public:
    using Meanwhile = std::function<void()>;

    void queueAnswer(Answer answer, Meanwhile meanwhile = {});
    void queueText(const QString& text);
    // A colour, or the user's "Annulla" (std::nullopt).
    void queueColour(std::optional<Colour> colour);
    // The next pick opens the registered picker (colourpicker.h) for the test to answer.
    void queueRealPicker();
    // A file chosen in a file dialog; "" cancels.
    void queuePath(const QString& path);
    // A picture chosen in the browser; a name of "" cancels.
    void queueBrowse(const QString& folder, const QString& name);
    // The credits as typed, or "Annulla" (std::nullopt).
    void queueCredits(std::optional<QString> typed);
    // Runs at the next message, while it would be on screen.
    void onNextMessage(Meanwhile meanwhile);

    // Every question, message and prompt text shown since the last clearRecord.
    QStringList shownTexts() const { return m_shown; }
    void clearRecord() { m_shown.clear(); }
    // Answers of every kind queued and not yet taken.
    int pending() const;
    // The starting colour of every pick, the caption of every file choice, the start of every
    // browse ("folder|name") and the credits of every credits edit.
    QList<Colour> colourCalls() const { return m_colourCalls; }
    QStringList fileCaptions() const { return m_fileCaptions; }
    QStringList fileFolders() const { return m_fileFolders; }
    QStringList browseCalls() const { return m_browseCalls; }
    QStringList creditsCalls() const { return m_creditsCalls; }

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
    std::optional<BrowsedFile> browsePicture(QWidget* parent, const QString& folder,
                                             const QString& name) override;
    QString editCredits(QWidget* parent, const QString& credits) override;

private:
    struct Scripted {
        Answer answer;
        Meanwhile meanwhile;
    };
    struct RealPicker {};
    static void unanswered(const char* what, const QString& text);
    QString choosePath(const QString& caption, const QString& folder);

    QQueue<Scripted> m_answers;
    QQueue<QString> m_texts;
    QQueue<std::variant<std::optional<Colour>, RealPicker>> m_colours;
    QQueue<QString> m_paths;
    QQueue<BrowsedFile> m_browsed;
    QQueue<std::optional<QString>> m_credits;
    QQueue<Meanwhile> m_messageActions;

    QStringList m_shown;
    QList<Colour> m_colourCalls;
    QStringList m_fileCaptions;
    QStringList m_fileFolders;
    QStringList m_browseCalls;
    QStringList m_creditsCalls;
};
