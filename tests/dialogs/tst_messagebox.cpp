#include "dialoghelpers.h"
#include "dialogs/editorprompts.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using U = UserPrompts;

class TestMessageBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escAndUnattendedTakeTheHarmlessAnswer_data();
    void escAndUnattendedTakeTheHarmlessAnswer();
    void askFromTellsWhetherTheDialogOutlivedTheQuestion();
    void scriptedAnswersInOrderPerInstance();
};

// A Yes/No question offers no way out but its two buttons (a stray Esc answering No would throw
// away the bitmap editor's strokes) unless the caller named a harmless answer; Cancel is taken
// by Esc. A window without prompts of its own takes the same answer by itself, cancels
// choices and reports messages rather than losing them.
void TestMessageBox::escAndUnattendedTakeTheHarmlessAnswer_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("harmless");
    QTest::addColumn<bool>("staysOpen"); // the real box, after Esc and after its frame's close
    QTest::addColumn<int>("answer");
    const int yesNo = QMessageBox::Yes | QMessageBox::No, cancel = yesNo | QMessageBox::Cancel;
    QTest::newRow("Yes/No") << yesNo << 0 << true << int(U::No);
    QTest::newRow("No harmless") << yesNo << int(QMessageBox::No) << false << int(U::No);
    QTest::newRow("Yes harmless") << yesNo << int(QMessageBox::Yes) << false << int(U::Yes);
    QTest::newRow("with Cancel") << cancel << 0 << false << int(U::Cancel);
    QTest::newRow("not offered") << cancel << int(QMessageBox::Ok) << false << int(U::Cancel);
}

void TestMessageBox::escAndUnattendedTakeTheHarmlessAnswer() {
    QFETCH(int, buttons);
    QFETCH(int, harmless);
    QFETCH(bool, staysOpen);
    QFETCH(int, answer);
    const auto ask = [&](UserPrompts& p) {
        return int(p.question(nullptr, QStringLiteral("Domanda?"),
                              QMessageBox::StandardButtons(buttons),
                              QMessageBox::StandardButton(harmless)));
    };
    bool openAfterEsc = false, openAfterFrame = false;
    whenModalShown([&](QWidget* w) {
        QTest::keyClick(w, Qt::Key_Escape);
        if ((openAfterEsc = w->isVisible())) {
            w->close();
            openAfterFrame = w->isVisible();
        }
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            box->button(QMessageBox::No)->click(); // the question must end
    });
    EditorPrompts prompts;
    QCOMPARE(ask(prompts), answer);
    QCOMPARE((QList<bool>{openAfterEsc, openAfterFrame}), (QList<bool>{staysOpen, staysOpen}));

    UserPrompts& unattended = orUnattended(nullptr);
    QCOMPARE(ask(unattended), answer);
    QVERIFY(unattended.pickColour(nullptr, 0x123456) == 0x123456 &&
            unattended.editCredits(nullptr, QStringLiteral("a")) == QStringLiteral("a") &&
            !unattended.browsePicture(nullptr, QStringLiteral("/"), QStringLiteral("x.bmp")));
    ErrorRecorder errors;
    unattended.critical(nullptr, QStringLiteral("Errore 53: x"));
    QCOMPARE(errors.texts(), QStringList{QStringLiteral("Errore 53: x")});
}

void TestMessageBox::askFromTellsWhetherTheDialogOutlivedTheQuestion() {
    for (const auto& [then, alive] : {std::pair{"", true}, {"close", true}, {"delete", false}}) {
        QPointer<QWidget> dialog = new QWidget;
        ScriptedPrompts prompts;
        prompts.queueAnswer(U::Yes, [&] {
            if (*then)
                *then == 'c' ? void(dialog->close()) : void(delete dialog.data());
        });
        QCOMPARE(askFrom(dialog, [&] { prompts.question(dialog, "?", QMessageBox::Yes); }), alive);
        delete dialog.data();
    }
}

void TestMessageBox::scriptedAnswersInOrderPerInstance() {
    ScriptedPrompts first, second;
    first.queueAnswer(UserPrompts::No);
    first.queueAnswer(UserPrompts::Yes);
    second.queueAnswer(UserPrompts::Cancel);
    first.queueCredits(QStringLiteral("Anna"));
    first.queueCredits(std::nullopt);
    first.queueColour(std::nullopt);
    const auto ask = [](UserPrompts& p) {
        return p.question(nullptr, "Domanda?",
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    };
    QCOMPARE(ask(first), UserPrompts::No);
    QCOMPARE(ask(second), UserPrompts::Cancel);
    QCOMPARE(ask(first), UserPrompts::Yes);
    QVERIFY(first.editCredits(nullptr, QStringLiteral("x")) == QStringLiteral("Anna") &&
            first.editCredits(nullptr, QStringLiteral("y")) == QStringLiteral("y") &&
            first.pickColour(nullptr, 0xABCDEF) == 0xABCDEF);
    first.critical(nullptr, QStringLiteral("Messaggio"));
    QVERIFY(first.pending() == 0 && second.pending() == 0);
    QCOMPARE(first.shownTexts(), (QStringList{"Domanda?", "Domanda?", "Messaggio"}));
    QVERIFY(first.creditsCalls() == (QStringList{"x", "y"}) &&
            first.colourCalls() == QList<Colour>{0xABCDEF});
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
