#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// "Skin Credits": the skin's credits as five lines of at most 59 typed characters each.
//
// ModificaCredits shows a fresh dialog modally and returns the credits as five lines joined by
// CR LF, or the text passed in, unchanged, when the user cancels ("Annulla", Esc or the window's
// frame). Enter in a line confirms, as "Ok" does. A line longer than 59 characters that was passed
// in is shown whole and may be edited as long as the edit does not lengthen it. Credits of more
// than five lines show lines 6 and later joined to line 5 with a blank, so that nothing is lost.
//
// Callers ask through UserPrompts::editCredits, which tests answer from a script. Tests of the
// dialog itself drive the real widgets once the modal window is on screen
// (QApplication::activeModalWidget(), e.g. from a QTimer), or use sharedInstance().
class frmCredits : public QDialog {
    Q_OBJECT
public:
    static QString ModificaCredits(const QString& Credits);

    static frmCredits* sharedInstance(); // the dialog ModificaCredits is showing, or nullptr

    static constexpr int kLines = 5;
    static constexpr int kMaxTyped = 59;

    // Splits credits into the five lines as the dialog shows them, and joins them back.
    static QStringList splitCredits(const QString& credits);
    static QString joinCredits(const QStringList& lines);

    QString line(int i) const; // 1..5
    bool annullato() const { return mAnnullato; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    explicit frmCredits(QWidget* parent = nullptr);
    void setLines(const QStringList& lines);
    void lineEdited(int index, const QString& text);

    QList<QLineEdit*> txtCredits; // index 0 is line 1
    QList<QLabel*> lblCredits;
    QStringList mKnown; // each line's text before the user's last edit
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    // Anything but "Ok" is a cancellation, the window frame included.
    bool mAnnullato = true;
};
