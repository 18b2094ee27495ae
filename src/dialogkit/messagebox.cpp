#include "messagebox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QQueue>

namespace {

bool g_testMode = false;
QQueue<MessageBoxSeam::Answer> g_answers;
QQueue<QString> g_texts;
QStringList g_record;

// A question with Yes and No but no Cancel has no way out but its two answers, as on the
// platform: Esc and the window's frame do nothing. Answering No on a stray Esc would be the
// reckless choice (for the bitmap editor, No throws the strokes away) unless the caller has
// said that No is the answer that loses nothing.
class QuestionBox : public QMessageBox {
public:
    QuestionBox(const QString& text, QMessageBox::StandardButtons buttons, bool dismissable,
                QWidget* parent)
        : QMessageBox(QMessageBox::NoIcon, kAppTitle, text, buttons, parent),
          m_dismissable(dismissable) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!m_dismissable && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (!m_dismissable && !clickedButton()) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool m_dismissable;
};

MessageBoxSeam::Answer toAnswer(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Yes:
        return MessageBoxSeam::Yes;
    case QMessageBox::No:
        return MessageBoxSeam::No;
    case QMessageBox::Ok:
        return MessageBoxSeam::Ok;
    default:
        return MessageBoxSeam::Cancel;
    }
}

} // namespace

namespace MessageBoxSeam {

Answer question(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                QMessageBox::StandardButton harmless) {
    g_record << text;
    if (g_testMode) {
        if (g_answers.isEmpty())
            qFatal("Unexpected question with no answer queued: %s", qPrintable(text));
        return g_answers.dequeue();
    }
    if (!(buttons & harmless))
        harmless = QMessageBox::NoButton;
    // Closing by the frame (or Esc) answers the harmless button, or else Cancel where there is
    // one.
    QMessageBox::StandardButton escape = harmless;
    if (escape == QMessageBox::NoButton && (buttons & QMessageBox::Cancel))
        escape = QMessageBox::Cancel;
    QuestionBox box(text, buttons, escape != QMessageBox::NoButton, parent);
    if (escape != QMessageBox::NoButton)
        box.setEscapeButton(escape);
    if (harmless != QMessageBox::NoButton)
        box.setDefaultButton(harmless);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        return escape != QMessageBox::NoButton ? toAnswer(escape) : No;
    return toAnswer(box.standardButton(clicked));
}

void critical(QWidget* parent, const QString& caption, const QString& text) {
    g_record << text;
    if (g_testMode)
        return;
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

QString inputText(QWidget* parent, const QString& prompt, const QString& caption) {
    g_record << prompt;
    if (g_testMode) {
        if (g_texts.isEmpty())
            qFatal("Unexpected prompt with no text queued: %s", qPrintable(prompt));
        return g_texts.dequeue();
    }
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

void setTestMode(bool on) {
    g_testMode = on;
}
bool testMode() {
    return g_testMode;
}
void queueAnswer(Answer answer) {
    g_answers.enqueue(answer);
}
void queueText(const QString& text) {
    g_texts.enqueue(text);
}
QStringList shownTexts() {
    return g_record;
}
void clearRecord() {
    g_record.clear();
    g_answers.clear();
    g_texts.clear();
}
int pendingAnswers() {
    return int(g_answers.size());
}

} // namespace MessageBoxSeam

void MessageBoxErrorReporter::critical(const QString& caption, const QString& text) {
    MessageBoxSeam::critical(m_parent, caption, text);
}
