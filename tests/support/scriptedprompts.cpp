#include "scriptedprompts.h"

#include "dialogkit/colourpicker.h"

#include <QTest>

void ScriptedPrompts::queueAnswer(Answer answer, Meanwhile meanwhile) {
    m_answers.enqueue({answer, std::move(meanwhile)});
}
void ScriptedPrompts::queueText(const QString& text) {
    m_texts.enqueue(text);
}
void ScriptedPrompts::queueColour(std::optional<Colour> colour) {
    m_colours.enqueue(colour);
}
void ScriptedPrompts::queueRealPicker() {
    m_colours.enqueue(RealPicker{});
}
void ScriptedPrompts::queuePath(const QString& path) {
    m_paths.enqueue(path);
}
void ScriptedPrompts::queueBrowse(const QString& folder, const QString& name) {
    m_browsed.enqueue({folder, name});
}
void ScriptedPrompts::queueCredits(std::optional<QString> typed) {
    m_credits.enqueue(std::move(typed));
}
void ScriptedPrompts::onNextMessage(Meanwhile meanwhile) {
    m_messageActions.enqueue(std::move(meanwhile));
}

int ScriptedPrompts::pending() const {
    return int(m_answers.size() + m_texts.size() + m_colours.size() + m_paths.size() +
               m_browsed.size() + m_credits.size() + m_messageActions.size());
}

void ScriptedPrompts::unanswered(const char* what, const QString& text) {
    // Marks the running test failed; the code under test goes on with a harmless answer, so
    // that the failure is reported instead of a hang or a crash.
    const QByteArray message =
        QByteArray("Unexpected ") + what + " with no answer queued: " + text.toUtf8();
    QTest::qFail(message.constData(), __FILE__, __LINE__);
}

UserPrompts::Answer ScriptedPrompts::question(QWidget*, const QString& text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton harmless) {
    m_shown << text;
    if (m_answers.isEmpty()) {
        unanswered("question", text);
        return orUnattended(nullptr).question(nullptr, text, buttons, harmless);
    }
    const Scripted next = m_answers.dequeue();
    if (next.meanwhile)
        next.meanwhile();
    return next.answer;
}

void ScriptedPrompts::critical(QWidget*, const QString& text, const QString&) {
    m_shown << text;
    if (!m_messageActions.isEmpty()) {
        const Meanwhile meanwhile = m_messageActions.dequeue();
        if (meanwhile)
            meanwhile();
    }
}

QString ScriptedPrompts::inputText(QWidget*, const QString& prompt, const QString&) {
    m_shown << prompt;
    if (m_texts.isEmpty()) {
        unanswered("prompt", prompt);
        return {};
    }
    return m_texts.dequeue();
}

Colour ScriptedPrompts::pickColour(QWidget*, Colour start) {
    m_colourCalls << start;
    if (m_colours.isEmpty()) {
        unanswered("colour pick", QString::number(start));
        return start;
    }
    const auto next = m_colours.dequeue();
    if (std::holds_alternative<RealPicker>(next))
        return SelezionaColore(start);
    return std::get<std::optional<Colour>>(next).value_or(start);
}

QString ScriptedPrompts::choosePath(const QString& caption, const QString& folder) {
    m_fileCaptions << caption;
    m_fileFolders << folder;
    if (m_paths.isEmpty()) {
        unanswered("file choice", caption);
        return {};
    }
    return m_paths.dequeue();
}

QString ScriptedPrompts::openFileName(QWidget*, const QString& caption, const QString& folder,
                                      const QString&) {
    return choosePath(caption, folder);
}

QString ScriptedPrompts::saveFileName(QWidget*, const QString& caption, const QString& folder,
                                      const QString&, const QString&) {
    return choosePath(caption, folder);
}

std::optional<UserPrompts::BrowsedFile>
ScriptedPrompts::browsePicture(QWidget*, const QString& folder, const QString& name) {
    m_browseCalls << folder + QLatin1Char('|') + name;
    if (m_browsed.isEmpty()) {
        unanswered("picture browse", folder + name);
        return std::nullopt;
    }
    const BrowsedFile chosen = m_browsed.dequeue();
    if (chosen.name.isEmpty())
        return std::nullopt;
    return chosen;
}

QString ScriptedPrompts::editCredits(QWidget*, const QString& credits) {
    m_creditsCalls << credits;
    if (m_credits.isEmpty()) {
        unanswered("credits edit", credits);
        return credits;
    }
    return m_credits.dequeue().value_or(credits);
}
