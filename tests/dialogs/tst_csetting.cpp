#include "dialoghelpers.h"
#include "dialogs/frmtext.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace {

// A dialog that records how the launcher started it and answers when told to.
class RecordingDialog : public QDialog, public ValueDialog {
public:
    RecordingDialog() { setObjectName(QStringLiteral("recording")); }
    void Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin, const QVariant& Value,
               bool Mask) override {
        setting = Setting;
        value = Value;
        mask = Mask;
        visibleInAvvia = isVisible();
        if (replacementSkin)
            Skin = replacementSkin;
        ++started;
        if (duringAvvia)
            duringAvvia();
    }
    QWidget* dialogWidget() override { return this; }
    void ok(const QVariant& v) {
        close();
        setting->ReturnValue(v);
    }

    std::shared_ptr<cSetting> setting;
    QVariant value;
    bool mask = false;
    bool visibleInAvvia = false;
    static inline int started = 0;
    static inline SkinRef replacementSkin;
    // Runs inside Avvia, as the event loop of a message shown there would.
    static inline std::function<void()> duringAvvia;
};

const QList<FakeHost::Item> kItems = {
    {"List_Back", "Colore Sfondo", KindColor, 0x112233},
    {"Btn_Img", "Immagine pulsante", KindImage, "btn_img.bmp"},
    {"Border_Width", "Spessore bordo", KindNumber, 2},
    {"Title", "Titolo", KindString, "Notte"},
    {"Flat", "Piatto", KindBool, -1},
    {"Btn_Mask", "Maschera pulsante", KindMask, "btn_mask.bmp"},
    {"Capt", "Barra del titolo", KindGradient, 0},
    {"ImageName", "Nome immagine", KindFile, "sfondo.bmp"},
};

QLineEdit* textBox(QWidget* dlg) {
    return dlg->findChild<QLineEdit*>("txtText");
}

void pressOk(QWidget* dlg) {
    QTest::mouseClick(dlg->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
}

} // namespace

class TestCSetting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void opensTheDialogOfTheKind_data();
    void opensTheDialogOfTheKind();
    void twoDialogsForOneItemLastOkWins();
    void closingClosesEveryDialogWithoutStoring();
    void annullaKeepsModifiedAsItWas_data();
    void annullaKeepsModifiedAsItWas();
    void okAfterAnotherSkinWasOpenedStoresIntoIt();
    void skinReplacedByAvviaStaysWithTheLauncher();
    void okAfterTheListIsGoneIsHarmless();

private:
    std::unique_ptr<FakeHost> m_host;
};

void TestCSetting::init() {
    unregisterValueDialogs();
    RecordingDialog::started = 0;
    RecordingDialog::replacementSkin.reset();
    RecordingDialog::duringAvvia = nullptr;
    m_host = std::make_unique<FakeHost>();
    m_host->load(kItems);
}

void TestCSetting::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &m_host->owner)
            delete w;
    }
    m_host.reset();
}

void TestCSetting::opensTheDialogOfTheKind_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("mask");
    QTest::addColumn<bool>("owned");
    QTest::newRow("colour") << "List_Back" << true << false << true;
    QTest::newRow("image") << "Btn_Img" << true << false << false;
    QTest::newRow("number") << "Border_Width" << true << false << false;
    QTest::newRow("text") << "Title" << true << false << false;
    QTest::newRow("boolean: toggled in place") << "Flat" << false << false << false;
    QTest::newRow("mask") << "Btn_Mask" << true << true << false;
    QTest::newRow("gradient") << "Capt" << true << false << false;
    QTest::newRow("file: the list browses itself") << "ImageName" << false << false << false;
}

void TestCSetting::opensTheDialogOfTheKind() {
    QFETCH(QString, key);
    QFETCH(bool, opens);
    QFETCH(bool, mask);
    QFETCH(bool, owned);
    for (qint32 kind = KindColor; kind <= KindGradient; ++kind) {
        if (kind != KindBool)
            registerValueDialog(kind, [] { return new RecordingDialog; });
    }
    auto setting = m_host->edit(key);
    QCOMPARE(setting->SettName(), key);
    auto* dlg = dynamic_cast<RecordingDialog*>(setting->form());
    QCOMPARE(dlg != nullptr, opens);
    QCOMPARE(RecordingDialog::started, opens ? 1 : 0);
    if (!opens)
        return;
    QCOMPARE(dlg->setting, setting);
    QCOMPARE(dlg->value, m_host->list.RetrData(key));
    QCOMPARE(dlg->mask, mask);
    QVERIFY(!dlg->visibleInAvvia); // shown by the launcher, after the caption is set
    QVERIFY(dlg->isVisible());
    QVERIFY(!dlg->isModal());
    QCOMPARE(dlg->windowTitle(), m_host->list.RetrCaption(key));
    QCOMPARE(dlg->parentWidget(), owned ? &m_host->owner : nullptr);
    QVERIFY(dlg->isWindow());
}

void TestCSetting::twoDialogsForOneItemLastOkWins() {
    registerValueDialog(KindString, [] { return new frmText; });
    auto first = m_host->edit("Title");
    auto second = m_host->edit("Title");
    QPointer<QWidget> a = first->form(), b = second->form();
    QVERIFY(a && b && a != b);
    QVERIFY(a->isVisible() && b->isVisible());
    textBox(a)->setText(QStringLiteral("Alba"));
    textBox(b)->setText(QStringLiteral("Tramonto"));
    pressOk(b);
    QCOMPARE(m_host->list.RetrData("Title").toString(), QStringLiteral("Tramonto"));
    QVERIFY(a->isVisible());
    pressOk(a);
    QCOMPARE(m_host->list.RetrData("Title").toString(), QStringLiteral("Alba"));
    QCOMPARE(m_host->skin->RetrInfo("Title").toString(), QStringLiteral("Alba"));
    QCOMPARE(first->form(), nullptr);
    QCOMPARE(second->form(), nullptr);
    QTRY_VERIFY(a.isNull() && b.isNull());
}

void TestCSetting::closingClosesEveryDialogWithoutStoring() {
    registerValueDialog(KindString, [] { return new frmText; });
    registerValueDialog(KindNumber, [] { return new frmText; });
    auto one = m_host->edit("Title");
    auto two = m_host->edit("Border_Width");
    auto three = m_host->edit("Title");
    QList<QPointer<QWidget>> forms{one->form(), two->form(), three->form()};
    for (const auto& f : forms)
        textBox(f)->setText(QStringLiteral("99"));
    // One of them was already answered with "Annulla": the second close does not touch it.
    QTest::mouseClick(forms[2]->findChild<QPushButton*>("cmdAnnulla"), Qt::LeftButton);
    m_host->notifier.raise();
    for (const auto& f : forms)
        QVERIFY(!f || !f->isVisible());
    QTRY_VERIFY(forms[0].isNull() && forms[1].isNull() && forms[2].isNull());
    QCOMPARE(m_host->list.RetrData("Title").toString(), QStringLiteral("Notte"));
    QCOMPARE(m_host->list.RetrData("Border_Width"), QVariant(2));
    QVERIFY(!m_host->list.Modified());
    QCOMPARE(one->form(), nullptr);

    // Closing while the dialog is still being started (a message shown by Avvia runs an event
    // loop): the launcher must not go on with the deleted dialog.
    registerValueDialog(KindString, [] { return new RecordingDialog; });
    RecordingDialog::duringAvvia = [this] {
        m_host->notifier.raise();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    auto early = m_host->edit("Title");
    QCOMPARE(RecordingDialog::started, 1);
    QCOMPARE(early->form(), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(w->objectName() != QStringLiteral("recording"));
}

void TestCSetting::annullaKeepsModifiedAsItWas_data() {
    QTest::addColumn<bool>("modifiedBefore");
    QTest::newRow("unmodified list") << false;
    QTest::newRow("modified list") << true;
}

void TestCSetting::annullaKeepsModifiedAsItWas() {
    QFETCH(bool, modifiedBefore);
    registerValueDialog(KindNumber, [] { return new frmText; });
    if (modifiedBefore)
        m_host->list.SetData("Title", QStringLiteral("Giorno"));
    auto setting = m_host->edit("Border_Width");
    QPointer<QWidget> dlg = setting->form();
    textBox(dlg)->setText(QStringLiteral("7"));
    QTest::mouseClick(dlg->findChild<QPushButton*>("cmdAnnulla"), Qt::LeftButton);
    QTRY_VERIFY(dlg.isNull());
    QCOMPARE(m_host->list.RetrData("Border_Width"), QVariant(2));
    QCOMPARE(m_host->skin->RetrInfo("Border_Width"), QVariant(2));
    QCOMPARE(m_host->list.Modified(), modifiedBefore);
}

void TestCSetting::okAfterAnotherSkinWasOpenedStoresIntoIt() {
    registerValueDialog(KindString, [] { return new frmText; });
    auto setting = m_host->edit("Title");
    QWidget* dlg = setting->form();
    // The main window opens another skin; the dialog stays open.
    const SkinRef first = m_host->skin;
    m_host->skin = std::make_shared<cSkin>(m_host->folders.locations());
    m_host->load(kItems);
    textBox(dlg)->setText(QStringLiteral("Aurora"));
    pressOk(dlg);
    QCOMPARE(m_host->list.RetrData("Title").toString(), QStringLiteral("Aurora"));
    QCOMPARE(m_host->skin->RetrInfo("Title").toString(), QStringLiteral("Aurora"));
    QCOMPARE(first->RetrInfo("Title").toString(), QStringLiteral("Notte"));
}

void TestCSetting::skinReplacedByAvviaStaysWithTheLauncher() {
    registerValueDialog(KindNumber, [] { return new RecordingDialog; });
    RecordingDialog::replacementSkin = std::make_shared<cSkin>(m_host->folders.locations());
    auto setting = cSetting::create();
    SkinRef callers = m_host->skin;
    setting->Init("Border_Width", m_host.get(), callers);
    QCOMPARE(setting->skin(), RecordingDialog::replacementSkin);
    QCOMPARE(callers, m_host->skin); // the main window keeps the skin it opened
}

void TestCSetting::okAfterTheListIsGoneIsHarmless() {
    registerValueDialog(KindString, [] { return new frmText; });
    QPointer<QWidget> dlg = m_host->edit("Title")->form();
    // The main window and its list go without announcing Closing; the dialog has no owner.
    m_host.reset();
    QVERIFY(dlg && dlg->isVisible());
    textBox(dlg)->setText(QStringLiteral("Orfano"));
    pressOk(dlg);
    QTRY_VERIFY(dlg.isNull());
    m_host = std::make_unique<FakeHost>(); // for cleanup
}

QTEST_MAIN(TestCSetting)
#include "tst_csetting.moc"
