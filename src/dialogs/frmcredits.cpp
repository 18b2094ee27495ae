#include "frmcredits.h"

#include "dialogkit/dialoglayout.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <limits>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The dialog ModificaCredits is showing, for the tests of the dialog itself.
QPointer<frmCredits>& shownInstance() {
    static QPointer<frmCredits> instance;
    return instance;
}

// Courier New, or a face with its metrics, at 8.25 points.
QFont creditsFont() {
    QFont font =
        firstAvailableFont({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                            QStringLiteral("Cousine"), QStringLiteral("DejaVu Sans Mono")},
                           QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(8.25);
    return font;
}

} // namespace

frmCredits::frmCredits(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCredits"));
    setWindowTitle(tr("Skin Credits"));
    setFont(dialogFont());

    const int lineTops[kLines] = {75, 450, 825, 1200, 1575};
    const int labelTops[kLines] = {150, 525, 900, 1275, 1650};
    for (int i = 0; i < kLines; ++i) {
        const QString n = QString::number(i + 1);
        auto* label = new QLabel(n, this);
        label->setObjectName(QStringLiteral("lblCredits") + n);
        label->setGeometry(twipsRect(0, labelTops[i], 240, 240));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        lblCredits << label;

        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtCredits") + n);
        box->setGeometry(twipsRect(300, lineTops[i], 6315, 315));
        box->setFont(creditsFont());
        // Typing is limited in lineEdited; the box's own limit would cut a longer line passed in.
        box->setMaxLength(std::numeric_limits<int>::max());
        connect(box, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { lineEdited(i, text); });
        txtCredits << box;
        mKnown << QString();
    }

    cmdOk = new QPushButton(tr("Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setGeometry(twipsRect(2475, 1950, 2040, 315));
    cmdAnnulla = new QPushButton(tr("Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdAnnulla->setGeometry(twipsRect(4575, 1950, 2040, 315));
    // Every line is single-line, so Enter in one is free to confirm, as in the text dialog; on
    // the focused "Annulla" it cancels.
    cmdOk->setDefault(true);
    cmdAnnulla->setAutoDefault(true);

    for (int i = 0; i + 1 < kLines; ++i)
        setTabOrder(txtCredits[i], txtCredits[i + 1]);
    setTabOrder(txtCredits.last(), cmdAnnulla);
    setTabOrder(cmdAnnulla, cmdOk);
    txtCredits.first()->setFocus();

    connect(cmdOk, &QPushButton::clicked, this, [this] {
        mAnnullato = false;
        hide();
    });
    connect(cmdAnnulla, &QPushButton::clicked, this, [this] {
        mAnnullato = true;
        hide();
    });

    setFixedSize(txtCredits.first()->geometry().right() + 1 + twipsToPixels(75),
                 cmdOk->geometry().bottom() + 1 + twipsToPixels(75));
}

void frmCredits::closeEvent(QCloseEvent* event) {
    mAnnullato = true;
    QDialog::closeEvent(event);
}

QString frmCredits::line(int i) const {
    return txtCredits.value(i - 1) ? txtCredits[i - 1]->text() : QString();
}

void frmCredits::setLines(const QStringList& lines) {
    for (int i = 0; i < kLines; ++i) {
        txtCredits[i]->setText(lines.value(i));
        txtCredits[i]->setCursorPosition(0);
        mKnown[i] = lines.value(i);
    }
}

// QLineEdit's own length limit would cut a longer line that is passed in, so the limit is kept
// here, on the user's edits only: an edit may not make a line longer than 59 characters, or
// longer than it already was. A paste that does not fit is cut to what fits.
void frmCredits::lineEdited(int index, const QString& edited) {
    QLineEdit* box = txtCredits[index];
    // A box holds one line: line breaks in pasted text would split it when the five lines are
    // joined, so each becomes a blank and the rest of the paste stays on this line.
    QString text = edited;
    if (text.contains(u'\r') || text.contains(u'\n')) {
        const int cursor = box->cursorPosition();
        const int before = int(edited.left(cursor).count(kCrLf));
        text.replace(kCrLf, QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
        box->setText(text);
        box->setCursorPosition(cursor - before);
    }
    const QString old = mKnown[index];
    const qsizetype limit = qMax<qsizetype>(kMaxTyped, old.size());
    if (text.size() <= limit) {
        mKnown[index] = text;
        return;
    }
    qsizetype prefix = 0;
    const qsizetype shorter = qMin(old.size(), text.size());
    while (prefix < shorter && old[prefix] == text[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;
    const qsizetype removed = old.size() - prefix - suffix;
    const QString inserted = text.mid(prefix, text.size() - prefix - suffix);
    const qsizetype room = qMax<qsizetype>(0, limit - (old.size() - removed));
    const QString kept = old.left(prefix) + inserted.left(room) + old.right(suffix);
    box->setText(kept);
    box->setCursorPosition(int(prefix + qMin(room, inserted.size())));
    mKnown[index] = kept;
}

QStringList frmCredits::splitCredits(const QString& credits) {
    QStringList parts = credits.split(kCrLf);
    QStringList lines = parts.mid(0, kLines);
    // A hand-edited file may hold more lines than the dialog has boxes: the surplus joins the
    // last box rather than vanishing on "Ok".
    for (qsizetype i = kLines; i < parts.size(); ++i) {
        if (parts[i].isEmpty())
            continue;
        QString& last = lines[kLines - 1];
        last = last.isEmpty() ? parts[i] : last + u' ' + parts[i];
    }
    while (lines.size() < kLines)
        lines << QString();
    return lines;
}

QString frmCredits::joinCredits(const QStringList& lines) {
    QStringList five = lines.mid(0, kLines);
    while (five.size() < kLines)
        five << QString();
    return five.join(kCrLf);
}

QString frmCredits::ModificaCredits(const QString& Credits) {
    frmCredits dialog;
    dialog.setLines(splitCredits(Credits));
    QPointer<frmCredits>& shown = shownInstance();
    const QPointer<frmCredits> previous = shown;
    shown = &dialog;
    dialog.exec();
    shown = previous;
    if (dialog.mAnnullato)
        return Credits;
    QStringList lines;
    for (QLineEdit* box : dialog.txtCredits)
        lines << box->text();
    return joinCredits(lines);
}

frmCredits* frmCredits::sharedInstance() {
    return shownInstance().data();
}
