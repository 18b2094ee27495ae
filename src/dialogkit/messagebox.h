#pragma once

#include "common/errors.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// Every question, message and text prompt of the editor goes through these functions, so that a
// test can answer them in advance instead of facing a modal window nobody can click.
namespace MessageBoxSeam {

// Codes as the questions return them.
enum Answer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// Asks with the given buttons (Yes/No or Yes/No/Cancel), no icon, the application's title as
// caption, and returns the button pressed. Esc or closing the box by its frame answers Cancel
// where the set has one; a Yes/No question cannot be dismissed, only answered.
// `harmless` names the answer that loses nothing: it becomes the button Enter presses and the
// answer of Esc and of the frame, so that no stray key can take the destructive one.
Answer question(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                QMessageBox::StandardButton harmless = QMessageBox::NoButton);

// A message with the critical icon and a single OK button.
void critical(QWidget* parent, const QString& caption, const QString& text);

// A one-line text prompt; returns "" when dismissed.
QString inputText(QWidget* parent, const QString& prompt, const QString& caption);

// --- test seam ---
// In test mode nothing modal is shown: questions take the queued answers in order (a question
// with no queued answer is a test failure and aborts), prompts take the queued texts, and
// critical messages are only recorded.
void setTestMode(bool on);
bool testMode();
void queueAnswer(Answer answer);
void queueText(const QString& text);
// Every question, message and prompt text shown (or answered) since the last clear.
QStringList shownTexts();
void clearRecord();
int pendingAnswers();

} // namespace MessageBoxSeam

// Shows core errors in a critical message box (recorded only, in test mode).
class MessageBoxErrorReporter : public ErrorReporter {
public:
    explicit MessageBoxErrorReporter(QWidget* parent = nullptr) : m_parent(parent) {}
    void critical(const QString& caption, const QString& text) override;
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    QWidget* m_parent;
};
