#include "dialoghelpers.h"
#include "dialogs/editorprompts.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class TestMessageBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escAndTheFrame_data();
    void escAndTheFrame();
    void unattendedTakesTheHarmlessAnswer_data();
    void unattendedTakesTheHarmlessAnswer();
    void askFromTellsWhetherTheDialogOutlivedTheQuestion_data();
    void askFromTellsWhetherTheDialogOutlivedTheQuestion();
    void scriptedAnswersInOrderPerInstance();
};

// The real boxes, not the test answers: a Yes/No question offers no way out but its two
// buttons (a stray Esc answering No would throw away the bitmap editor's strokes) unless the
// caller named a harmless answer, while a question with Cancel is cancelled by Esc.
void TestMessageBox::escAndTheFrame_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("harmless");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<int>("answer");
    const int yesNo = int(QMessageBox::Yes | QMessageBox::No);
    QTest::newRow("Yes/No") << yesNo << int(QMessageBox::NoButton) << true << int(UserPrompts::No);
    QTest::newRow("Yes/No/Cancel")
        << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
        << int(QMessageBox::NoButton) << false << int(UserPrompts::Cancel);
    QTest::newRow("Yes/No, Yes harmless")
        << yesNo << int(QMessageBox::Yes) << false << int(UserPrompts::Yes);
}

void TestMessageBox::escAndTheFrame() {
    QFETCH(int, buttons);
    QFETCH(int, harmless);
    QFETCH(bool, staysOpen);
    QFETCH(int, answer);
    EditorPrompts prompts;
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
    const UserPrompts::Answer got =
        prompts.question(nullptr, QStringLiteral("Domanda?"), QMessageBox::StandardButtons(buttons),
                         QMessageBox::StandardButton(harmless));
    QCOMPARE(openAfterEsc, staysOpen);
    QCOMPARE(openAfterFrame, staysOpen);
    QCOMPARE(int(got), answer);
}

// A window without prompts of its own must never take the destructive answer by itself.
void TestMessageBox::unattendedTakesTheHarmlessAnswer_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("harmless");
    QTest::addColumn<int>("answer");
    const int yesNo = int(QMessageBox::Yes | QMessageBox::No);
    const int withCancel = yesNo | int(QMessageBox::Cancel);
    QTest::newRow("Yes/No, No harmless") << yesNo << int(QMessageBox::No) << int(UserPrompts::No);
    QTest::newRow("Yes/No, Yes harmless")
        << yesNo << int(QMessageBox::Yes) << int(UserPrompts::Yes);
    QTest::newRow("Yes/No, none named")
        << yesNo << int(QMessageBox::NoButton) << int(UserPrompts::No);
    QTest::newRow("with Cancel") << withCancel << int(QMessageBox::NoButton)
                                 << int(UserPrompts::Cancel);
    QTest::newRow("harmless not offered")
        << withCancel << int(QMessageBox::Ok) << int(UserPrompts::Cancel);
}

void TestMessageBox::unattendedTakesTheHarmlessAnswer() {
    QFETCH(int, buttons);
    QFETCH(int, harmless);
    QFETCH(int, answer);
    UserPrompts& unattended = orUnattended(nullptr);
    QCOMPARE(int(unattended.question(nullptr, QStringLiteral("Domanda?"),
                                     QMessageBox::StandardButtons(buttons),
                                     QMessageBox::StandardButton(harmless))),
             answer);
    // Choices are cancelled, messages reported rather than lost.
    QCOMPARE(unattended.pickColour(nullptr, 0x123456), 0x123456);
    QCOMPARE(unattended.editCredits(nullptr, QStringLiteral("a")), QStringLiteral("a"));
    QVERIFY(!unattended.browsePicture(nullptr, QStringLiteral("/"), QStringLiteral("x.bmp")));
    ErrorRecorder errors;
    unattended.critical(nullptr, QStringLiteral("Errore 53: x"));
    QCOMPARE(errors.texts(), QStringList{QStringLiteral("Errore 53: x")});
}

void TestMessageBox::askFromTellsWhetherTheDialogOutlivedTheQuestion_data() {
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<bool>("outlived");
    QTest::newRow("nothing happens") << "" << true;
    QTest::newRow("closed, not deleted") << "close" << true;
    QTest::newRow("closed and deleted") << "delete" << false;
}

void TestMessageBox::askFromTellsWhetherTheDialogOutlivedTheQuestion() {
    QFETCH(QString, meanwhile);
    QFETCH(bool, outlived);
    auto* dialog = new QWidget;
    const QPointer<QWidget> watch(dialog);
    ScriptedPrompts prompts;
    prompts.queueAnswer(UserPrompts::Yes, [&] {
        if (meanwhile == u"close")
            dialog->close();
        else if (meanwhile == u"delete")
            delete dialog;
    });
    UserPrompts::Answer answer = UserPrompts::Cancel;
    const bool alive = askFrom(dialog, [&] {
        answer = prompts.question(dialog, QStringLiteral("Domanda?"),
                                  QMessageBox::Yes | QMessageBox::No);
    });
    QCOMPARE(alive, outlived);
    QCOMPARE(answer, UserPrompts::Yes);
    delete watch.data();
}

void TestMessageBox::scriptedAnswersInOrderPerInstance() {
    ScriptedPrompts first;
    ScriptedPrompts second;
    first.queueAnswer(UserPrompts::No);
    first.queueAnswer(UserPrompts::Yes);
    second.queueAnswer(UserPrompts::Cancel);
    first.queueCredits(QStringLiteral("Anna"));
    first.queueCredits(std::nullopt);
    first.queueColour(std::nullopt);
    const auto ask = [](UserPrompts& p) {
        return p.question(nullptr, QStringLiteral("Domanda?"),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    };
    QCOMPARE(ask(first), UserPrompts::No);
    QCOMPARE(ask(second), UserPrompts::Cancel);
    QCOMPARE(ask(first), UserPrompts::Yes);
    QCOMPARE(first.editCredits(nullptr, QStringLiteral("x")), QStringLiteral("Anna"));
    QCOMPARE(first.editCredits(nullptr, QStringLiteral("y")), QStringLiteral("y"));
    QCOMPARE(first.pickColour(nullptr, 0xABCDEF), 0xABCDEF);
    first.critical(nullptr, QStringLiteral("Messaggio"));
    QCOMPARE(first.pending(), 0);
    QCOMPARE(second.pending(), 0);
    QCOMPARE(first.shownTexts(), (QStringList{"Domanda?", "Domanda?", "Messaggio"}));
    QCOMPARE(first.creditsCalls(), (QStringList{"x", "y"}));
    QCOMPARE(first.colourCalls(), QList<Colour>{0xABCDEF});
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
