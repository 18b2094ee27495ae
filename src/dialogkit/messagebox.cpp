#include "messagebox.h"

#include "dialogkit/colourpicker.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QStandardPaths>

namespace {

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

UserPrompts::Answer toAnswer(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Yes:
        return UserPrompts::Yes;
    case QMessageBox::No:
        return UserPrompts::No;
    case QMessageBox::Ok:
        return UserPrompts::Ok;
    default:
        return UserPrompts::Cancel;
    }
}

} // namespace

UserPrompts::Answer MessageBoxPrompts::question(QWidget* parent, const QString& text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton harmless) {
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

void MessageBoxPrompts::critical(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

QString MessageBoxPrompts::inputText(QWidget* parent, const QString& prompt,
                                     const QString& caption) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

Colour MessageBoxPrompts::pickColour(QWidget*, Colour start) {
    // The picker places itself over the main window, whoever asks.
    return SelezionaColore(start);
}

QString MessageBoxPrompts::startFolder(const QString& folder) const {
    if (!folder.isEmpty())
        return folder;
    if (!m_lastFolder.isEmpty())
        return m_lastFolder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::HomeLocation)
                              : pictures;
}

void MessageBoxPrompts::remember(const QString& chosen) {
    if (!chosen.isEmpty())
        m_lastFolder = QFileInfo(chosen).absolutePath();
}

QString MessageBoxPrompts::openFileName(QWidget* parent, const QString& caption,
                                        const QString& folder, const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent, caption, startFolder(folder), filter);
    remember(path);
    return path;
}

QString MessageBoxPrompts::saveFileName(QWidget* parent, const QString& caption,
                                        const QString& folder, const QString& suggestedName,
                                        const QString& filter) {
    const QString path = QFileDialog::getSaveFileName(
        parent, caption, startFolder(folder) + QLatin1Char('/') + suggestedName, filter);
    remember(path);
    return path;
}
