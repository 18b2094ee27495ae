#include "proplist/proplistmodel.h"
#include "skin/skinschema.h"
#include "testsupport.h"

#include <QTest>

// Every kind of change the list makes is one step of the skin's history: undone and redone
// whole, values and pictures alike, and undoing back to the saved state is no change at all.
class TestHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void everyKindOfChangeUndoesAndRedoes_data();
    void everyKindOfChangeUndoesAndRedoes();
    void switchingOnBringsBackWhatWasSwitchedOff();
    void oneEditorsChangesOfOneItemAreOneStep();

private:
    // What the skin would be saved as: the parameters, the credits and the working files.
    QByteArray state() const;
    PropListModel& m() { return *m_model; }

    std::unique_ptr<TestFolders> m_folders;
    QString m_dir;
    SkinRef m_skin;
    std::unique_ptr<PropListModel> m_model;
};

void TestHistory::init() {
    m_folders = std::make_unique<TestFolders>();
    m_dir = m_folders->workDir() + u'/';
    QVERIFY(QDir().mkpath(m_dir));
    QVERIFY(writeFileBytes(m_dir + QStringLiteral("up.bmp"), "old picture"));
    QVERIFY(writeFileBytes(m_folders->programDir() + QStringLiteral("/pic.bmp"), "chosen"));
    m_skin = std::make_shared<cSkin>(m_folders->locations());
    m_skin->setSkinPath(m_dir);
    for (const auto& [key, value] : {std::pair{"Color", "255"},
                                     {"UseMasks", "0"},
                                     {"Button_Up", "65280"},
                                     {"List_Back", "-1"},
                                     {"Capt_Count", "2"},
                                     {"Capt_Pos<1>", "0"},
                                     {"Capt<1>", "1"},
                                     {"Capt_Pos<2>", "100"},
                                     {"Capt<2>", "2"},
                                     {"credits", "c"}})
        m_skin->AddInfo(QString::fromLatin1(key), QString::fromLatin1(value));
    m_model = std::make_unique<PropListModel>();
    loadSkinSchema(*m_model, m_skin);
}

QByteArray TestHistory::state() const {
    QByteArray out = m_model->parametersText() + m_model->document()->credits().toUtf8();
    for (const QString& name : QDir(m_dir).entryList(QDir::Files))
        out += '|' + name.toUtf8() + '=' + readFileBytes(m_dir + name);
    return out;
}

void TestHistory::everyKindOfChangeUndoesAndRedoes_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    for (const char* row : {"dialog", "check box", "switch off", "switch on", "file choice",
                            "gradient", "credits", "pictures"})
        QTest::newRow(row) << QString::fromLatin1(row);
}

void TestHistory::everyKindOfChangeUndoesAndRedoes() {
    QFETCH(QString, kind);
    int c = 0, i = 0;
    const auto at = [&](const char* key) {
        QVERIFY(m().findItem(QString::fromLatin1(key), &c, &i));
    };
    const QByteArray saved = state();
    QUndoStack* history = m().document()->undoStack();
    QString caption;
    if (kind == u"dialog") {
        QVERIFY(m().SetData(QStringLiteral("Color"), 16711680));
        caption = QStringLiteral("Colore principale");
    } else if (kind == u"check box") {
        at("UseMasks");
        m().setBoolFromEditor(c, i, true);
        caption = QStringLiteral("Utilizza maschere");
    } else if (kind == u"switch off" || kind == u"switch on") {
        at(kind == u"switch off" ? "Button_Up" : "List_Back");
        QVERIFY(m().toggleItem(c, i, QImage()));
        caption = m().item(c, i).Caption;
    } else if (kind == u"file choice") {
        at("ImageName");
        QVERIFY(m().chooseFile(c, i, m_folders->programDir(), QStringLiteral("pic.bmp")));
        caption = QStringLiteral("Nome immagine");
    } else if (kind == u"gradient") {
        QVERIFY(m().setGradient(QStringLiteral("Capt"), {{5, 0}, {6, 40}, {7, 100}}));
        caption = QStringLiteral("Sfumatura titolo finestra");
    } else if (kind == u"credits") {
        m().document()->setCredits(QStringLiteral("nuovi"));
        caption = QStringLiteral("Skin Credits");
    } else {
        QVERIFY(m().setPictures(QStringLiteral("SysMenu_Max"), QStringLiteral("but_max"),
                                {{QStringLiteral("but_max"), "normal"},
                                 {QStringLiteral("p_but_max"), "pressed"},
                                 {QStringLiteral("up.bmp"), "new picture"}}));
        caption = QStringLiteral("Massimizza");
    }
    const QByteArray changed = state();
    QVERIFY(changed != saved);
    QVERIFY(m().Modified());
    QCOMPARE(history->count(), 1);
    QCOMPARE(history->undoText(), caption);

    history->undo();
    QCOMPARE(state(), saved);
    QVERIFY(!m().Modified());
    history->redo();
    QCOMPARE(state(), changed);
    QVERIFY(m().Modified());
}

void TestHistory::switchingOnBringsBackWhatWasSwitchedOff() {
    int c = 0, i = 0;
    QVERIFY(m().findItem(QStringLiteral("Button_Up"), &c, &i));
    QVERIFY(m().toggleItem(c, i, QImage()));
    QCOMPARE(m().item(c, i).ItemValue, QVariant(-1));
    QVERIFY(m().toggleItem(c, i, QImage()));
    QCOMPARE(m().item(c, i).ItemValue, QVariant(65280));
    // Two changes, never one: each can be undone on its own.
    QCOMPARE(m().document()->undoStack()->count(), 2);
    m().document()->undoStack()->undo();
    QVERIFY(!m().item(c, i).IsSet);

    // A gradient gets its own stops back, not the two black ones of a new gradient.
    QVERIFY(m().findItem(QStringLiteral("Capt"), &c, &i));
    QVERIFY(m().toggleItem(c, i, QImage()));
    QVERIFY(m().toggleItem(c, i, QImage()));
    QVERIFY(m().item(c, i).IsSet);
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("Capt<2>")).toString(), QStringLiteral("2"));
}

void TestHistory::oneEditorsChangesOfOneItemAreOneStep() {
    QUndoStack* history = m().document()->undoStack();
    QVERIFY(m().setDataFrom(QStringLiteral("Color"), 1, 42));
    QVERIFY(m().setDataFrom(QStringLiteral("Color"), 2, 42));
    QCOMPARE(history->count(), 1);
    QVERIFY(m().setDataFrom(QStringLiteral("Color"), 3, 7)); // another editor
    QCOMPARE(history->count(), 2);
    // The value already held is no change at all.
    QVERIFY(m().SetData(QStringLiteral("Color"), 3));
    QCOMPARE(history->count(), 2);
    history->undo();
    history->undo();
    QCOMPARE(m().RetrData(QStringLiteral("Color")), QVariant(255));
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
