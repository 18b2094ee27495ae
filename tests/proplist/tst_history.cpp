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
    for (const QString& line : QStringLiteral("Color=255 UseMasks=0 Button_Up=65280 List_Back=-1 "
                                              "Capt_Count=2 Capt_Pos<1>=0 Capt<1>=1 "
                                              "Capt_Pos<2>=100 Capt<2>=2 credits=c")
                                   .split(u' '))
        m_skin->AddInfo(line.section(u'=', 0, 0), line.section(u'=', 1));
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
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("caption"); // of the step; empty: the item's
    const auto row = [](const char* kind, const char* key, const char* caption = "") {
        QTest::newRow(kind) << QString::fromUtf8(key) << QString::fromUtf8(caption);
    };
    row("dialog", "Color", "Colore principale");
    row("check box", "UseMasks", "Utilizza maschere");
    row("switch off", "Button_Up");
    row("switch off a gradient", "Capt");
    row("switch on", "List_Back");
    row("file choice", "ImageName", "Nome immagine");
    row("gradient", "Capt", "Sfumatura titolo finestra");
    row("credits", "", "Skin Credits");
    row("pictures", "SysMenu_Max", "Massimizza");
}

void TestHistory::everyKindOfChangeUndoesAndRedoes() {
    QFETCH(QString, key);
    QFETCH(QString, caption);
    const QString kind = QString::fromUtf8(QTest::currentDataTag());
    int c = 0, i = 0;
    QVERIFY(key.isEmpty() || m().findItem(key, &c, &i));
    const QByteArray saved = state();
    QUndoStack* history = m().document()->undoStack();
    if (kind == u"dialog")
        QVERIFY(m().SetData(key, 16711680));
    else if (kind == u"check box")
        m().setBoolFromEditor(c, i, true);
    else if (kind.startsWith(u"switch"))
        QVERIFY(m().toggleItem(c, i, QImage()));
    else if (kind == u"file choice")
        QVERIFY(m().chooseFile(c, i, m_folders->programDir(), QStringLiteral("pic.bmp")));
    else if (kind == u"gradient")
        QVERIFY(m().setGradient(key, {{5, 0}, {6, 40}, {7, 100}}));
    else if (kind == u"credits")
        m().document()->setCredits(QStringLiteral("nuovi"));
    else
        QVERIFY(m().setPictures(key, QStringLiteral("but_max"),
                                {{QStringLiteral("but_max"), "normal"},
                                 {QStringLiteral("p_but_max"), "pressed"},
                                 {QStringLiteral("up.bmp"), "new picture"}}));
    const QByteArray changed = state();
    QVERIFY(changed != saved);
    QVERIFY(m().Modified());
    QCOMPARE(history->count(), 1);
    QCOMPARE(history->undoText(), caption.isEmpty() ? m().item(c, i).Caption : caption);

    history->undo();
    QCOMPARE(state(), saved);
    QVERIFY(!m().Modified());
    history->redo();
    QCOMPARE(state(), changed);
    QVERIFY(m().Modified());
    if (!kind.startsWith(u"switch off"))
        return;
    // Switching on again is a step of its own that brings back all that was switched off (a
    // gradient its own stops, not the two black ones of a new gradient).
    QCOMPARE(m().item(c, i).ItemValue, QVariant(-1));
    QVERIFY(m().toggleItem(c, i, QImage()));
    QCOMPARE(history->count(), 2);
    QCOMPARE(state(), saved);
    history->undo();
    QVERIFY(!m().item(c, i).IsSet);
}

// Changes of one item from one editor are one step, from another editor a step of their own;
// the value already held is no change at all.
void TestHistory::oneEditorsChangesOfOneItemAreOneStep() {
    QUndoStack* history = m().document()->undoStack();
    QVERIFY(m().setDataFrom(QStringLiteral("Color"), 1, 42));
    QVERIFY(m().setDataFrom(QStringLiteral("Color"), 2, 42));
    QCOMPARE(history->count(), 1);
    QVERIFY(m().setDataFrom(QStringLiteral("Color"), 3, 7));
    QCOMPARE(history->count(), 2);
    QVERIFY(m().SetData(QStringLiteral("Color"), 3));
    QCOMPARE(history->count(), 2);
    history->undo();
    history->undo();
    QCOMPARE(m().RetrData(QStringLiteral("Color")), QVariant(255));
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
