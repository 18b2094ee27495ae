#include "dialoghelpers.h"
#include "dialogkit/messagebox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class TestMessageBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escAndTheFrame_data();
    void escAndTheFrame();
};

// The real boxes, not the test answers: a Yes/No question offers no way out but its two
// buttons (a stray Esc answering No would throw away the bitmap editor's strokes), while a
// question with Cancel is cancelled by Esc.
void TestMessageBox::escAndTheFrame_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes/No") << int(QMessageBox::Yes | QMessageBox::No) << true
                            << int(MessageBoxSeam::No);
    QTest::newRow("Yes/No/Cancel") << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
                                   << false << int(MessageBoxSeam::Cancel);
}

void TestMessageBox::escAndTheFrame() {
    QFETCH(int, buttons);
    QFETCH(bool, staysOpen);
    QFETCH(int, answer);
    MessageBoxSeam::setTestMode(false);
    bool openAfterEsc = false;
    bool openAfterFrame = false;
    whenModalShown([&](QWidget* w) {
        QTest::keyClick(w, Qt::Key_Escape);
        openAfterEsc = w->isVisible();
        if (openAfterEsc) {
            w->close();
            openAfterFrame = w->isVisible();
        }
        // Whatever happened, the question must end: answer it.
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            box->button(QMessageBox::No)->click();
    });
    const MessageBoxSeam::Answer got = MessageBoxSeam::question(
        nullptr, QStringLiteral("Domanda?"), QMessageBox::StandardButtons(buttons));
    QCOMPARE(openAfterEsc, staysOpen);
    QCOMPARE(openAfterFrame, staysOpen);
    QCOMPARE(int(got), answer);
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
