#include "proplist/proplistmodel.h"
#include "skin/skinschema.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QTest>

// The list's structure, how Ready takes values from the skin, and every way a value changes:
// SetData, the check box, the switch and the file choice.
class TestPropListModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void schemaLoadsInListOrder();
    void addingIsIgnoredInTheWrongState();
    void lookupsOfUnknownKeys();
    void aDuplicatedKeyResolvesToTheLastCategory();

    void readyLoadsEachKind_data();
    void readyLoadsEachKind();
    void readyReportsAnOverflowOnceAndLoadsTheRest();
    void readyWithoutSkin();

    void setDataWritesTheDocumentAndMarksModified();
    void setDataOfUnknownKeyChangesNothing();
    void maskColourRepaintsTheWholeList();
    void checkBoxStoresABoolInListAndDocument();

    void switchStoresTheKnownValues_data();
    void switchStoresTheKnownValues();
    void switchIgnoresItemsThatCannotBeSwitched();
    void switchingAGradientOnWritesTwoBlackStops();
    void switchingAnImageOnWritesAPlaceholderBitmap();
    void switchingAnImageOnThatCannotBeWrittenChangesNothing();

    void chooseFileInsideTheSkinFolderCopiesNothing();
    void chooseFileElsewhereCopiesAndReplaces();
    void chooseFileFailuresChangeNothing();

    void filesListOrderAndDuplicates();
    void filesListSkipsNamesOutsideTheFolder();

private:
    // A schema-loaded model bound to a document holding `values`, with a working folder.
    void bind(const QList<std::pair<QString, QVariant>>& values);

    std::unique_ptr<TestFolders> m_folders;
    QString m_skinDir;
    SkinRef m_skin;
    std::unique_ptr<PropListModel> m_model;
};

void TestPropListModel::init() {
    m_folders = std::make_unique<TestFolders>();
    QVERIFY(m_folders->isValid());
    m_skinDir = m_folders->workDir() + u'/';
    QVERIFY(QDir().mkpath(m_skinDir));
    m_skin = std::make_shared<cSkin>(m_folders->locations());
    m_skin->setSkinPath(m_skinDir);
    m_model = std::make_unique<PropListModel>();
}

void TestPropListModel::bind(const QList<std::pair<QString, QVariant>>& values) {
    for (const auto& [key, value] : values)
        m_skin->AddInfo(key, value);
    loadSkinSchema(*m_model, m_skin);
}

void TestPropListModel::schemaLoadsInListOrder() {
    bind({});
    QCOMPARE(m_model->categoryCount(), 12);
    QCOMPARE(m_model->category(1).CatKey, QStringLiteral("(general)"));
    QCOMPARE(m_model->item(1, 1).Caption, QStringLiteral("Titolo dello skin"));
    QCOMPARE(m_model->category(12).CatKey, QStringLiteral("(window)"));

    int items = 0, optional = 0, images = 0;
    QSet<QString> keys;
    for (int c = 1; c <= m_model->categoryCount(); ++c) {
        QVERIFY(!m_model->category(c).Expanded);
        for (int i = 1; i <= m_model->itemCount(c); ++i) {
            const tItem& it = m_model->item(c, i);
            ++items;
            optional += it.AdvOpt ? 1 : 0;
            if (it.Kind == KindImage) {
                ++images;
                QCOMPARE(m_model->category(c).CatKey, QStringLiteral("(image)"));
            }
            keys.insert(it.ItemKey.toLower());
        }
    }
    QCOMPARE(items, 62);
    QCOMPARE(optional, 32);
    QCOMPARE(images, 20);
    QCOMPARE(keys.size(), 62); // unique also without regard to case
    QVERIFY(m_model->isReady());

    // Opening another skin starts from scratch: nothing is listed twice.
    loadSkinSchema(*m_model, m_skin);
    QCOMPARE(m_model->categoryCount(), 12);
    int again = 0;
    for (int c = 1; c <= 12; ++c)
        again += m_model->itemCount(c);
    QCOMPARE(again, 62);
}

void TestPropListModel::addingIsIgnoredInTheWrongState() {
    PropListModel& m = *m_model;
    m.LoadingItems();
    m.AddItem(QStringLiteral("(general)"), QStringLiteral("x"), QStringLiteral("X"), KindString);
    QCOMPARE(m.categoryCount(), 0);

    m.AddCat(QStringLiteral("(general)"), QStringLiteral("Generali"));
    m.AddItem(QStringLiteral("(General)"), QStringLiteral("Titolo"), QStringLiteral("Title"),
              KindString); // category keys match without regard to case
    m.AddItem(QStringLiteral("(nowhere)"), QStringLiteral("y"), QStringLiteral("Y"), KindString);
    QCOMPARE(m.FindCat(QStringLiteral("(GENERAL)")), 1);
    QCOMPARE(m.FindCat(QStringLiteral("(nowhere)")), 0);
    QCOMPARE(m.itemCount(1), 1);

    QVERIFY(m.Ready(m_skin));
    m.AddCat(QStringLiteral("(late)"), QStringLiteral("Tardi"));
    m.AddItem(QStringLiteral("(general)"), QStringLiteral("z"), QStringLiteral("Z"), KindString);
    QCOMPARE(m.categoryCount(), 1);
    QCOMPARE(m.itemCount(1), 1);

    m.LoadingItems();
    QCOMPARE(m.categoryCount(), 0);
    m.AddCat(QStringLiteral("(late)"), QStringLiteral("Tardi"));
    QCOMPARE(m.categoryCount(), 1);
}

void TestPropListModel::lookupsOfUnknownKeys() {
    bind({{QStringLiteral("Title"), QStringLiteral("Prova")}});
    QCOMPARE(m_model->RetrCaption(QStringLiteral("Title")), QStringLiteral("Titolo dello skin"));
    QCOMPARE(m_model->RetrType(QStringLiteral("Capt")), qint32(KindGradient));
    QCOMPARE(m_model->RetrData(QStringLiteral("Title")), QVariant(QStringLiteral("Prova")));
    // Item keys are matched exactly, unlike the document's.
    QCOMPARE(m_model->RetrData(QStringLiteral("title")), QVariant());
    QCOMPARE(m_model->RetrCaption(QStringLiteral("nothing")), QString());
    QCOMPARE(m_model->RetrType(QStringLiteral("nothing")), qint32(KindColor));
}

void TestPropListModel::aDuplicatedKeyResolvesToTheLastCategory() {
    PropListModel& m = *m_model;
    m.LoadingItems();
    m.AddCat(QStringLiteral("(a)"), QStringLiteral("A"));
    m.AddItem(QStringLiteral("(a)"), QStringLiteral("first"), QStringLiteral("K"), KindString);
    m.AddCat(QStringLiteral("(b)"), QStringLiteral("B"));
    m.AddItem(QStringLiteral("(b)"), QStringLiteral("second"), QStringLiteral("K"), KindNumber);
    QVERIFY(m.Ready(m_skin));
    QCOMPARE(m.RetrCaption(QStringLiteral("K")), QStringLiteral("second"));
    QVERIFY(m.SetData(QStringLiteral("K"), 7));
    QCOMPARE(m.item(2, 1).ItemValue, QVariant(7));
    // One key is one value of the skin: both rows show it.
    QCOMPARE(m.item(1, 1).ItemValue, QVariant(7));
}

void TestPropListModel::readyLoadsEachKind_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored"); // invalid: the document lacks the key
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<bool>("isSet");

    const QVariant absent;
    QTest::newRow("colour") << "Color" << QVariant("16777215") << QVariant(16777215) << true;
    QTest::newRow("colour absent is black") << "Color" << absent << QVariant(0) << true;
    QTest::newRow("colour in hex") << "Color" << QVariant("&HFF00") << QVariant(0xFF00) << true;
    QTest::newRow("colour with junk") << "Color" << QVariant(" 12abc") << QVariant(12) << true;
    QTest::newRow("fixed colour -1 stays set") << "Color" << QVariant("-1") << QVariant(-1) << true;
    QTest::newRow("optional colour -1 is not set")
        << "Button_Up" << QVariant("-1") << QVariant(-1) << false;
    QTest::newRow("number halves to even") << "SpostX" << QVariant("12.5") << QVariant(12) << true;
    QTest::newRow("number halves to even up")
        << "SpostY" << QVariant("13.5") << QVariant(14) << true;
    QTest::newRow("number at the bottom")
        << "SpostX" << QVariant("-32768") << QVariant(-32768) << true;
    QTest::newRow("optional number -1 is not set")
        << "Border_Width" << QVariant("-1") << QVariant(-1) << false;
    QTest::newRow("stored number") << "Caption_Height" << QVariant(18) << QVariant(18) << true;
    QTest::newRow("bool -1") << "Caption_Bold" << QVariant("-1") << QVariant(true) << true;
    QTest::newRow("bool 1") << "Caption_Bold" << QVariant("1") << QVariant(true) << true;
    QTest::newRow("bool 0") << "Caption_Bold" << QVariant("0") << QVariant(false) << true;
    QTest::newRow("bool absent") << "Caption_Bold" << absent << QVariant(false) << true;
    QTest::newRow("string") << "Title" << QVariant("Il mio skin") << QVariant("Il mio skin")
                            << true;
    QTest::newRow("string absent") << "Title" << absent << QVariant(QString()) << true;
    QTest::newRow(".bmp key names its own file")
        << "max.bmp" << QVariant("other.bmp") << QVariant("max.bmp") << true;
    QTest::newRow("image") << "Aliases" << QVariant("al.bmp") << QVariant("al.bmp") << true;
    QTest::newRow("optional image empty is not set")
        << "Add" << QVariant("") << QVariant(QString()) << false;
    QTest::newRow("optional image absent is not set")
        << "Save" << absent << QVariant(QString()) << false;
    QTest::newRow("mask") << "SysMenu_Max" << QVariant("m.bmp") << QVariant("m.bmp") << true;
    QTest::newRow("file") << "ImageName" << QVariant("logo.bmp") << QVariant("logo.bmp") << true;
}

void TestPropListModel::readyLoadsEachKind() {
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, expected);
    QFETCH(bool, isSet);
    if (stored.isValid())
        m_skin->AddInfo(key, stored);
    ErrorRecorder errors;
    bind({});
    QVERIFY(errors.isEmpty());
    int c = 0, i = 0;
    QVERIFY(m_model->findItem(key, &c, &i));
    const QVariant value = m_model->item(c, i).ItemValue;
    QCOMPARE(value.typeId(), expected.typeId());
    QCOMPARE(value, expected);
    QCOMPARE(m_model->item(c, i).IsSet, isSet);
    QVERIFY(!m_model->Modified());
}

void TestPropListModel::readyReportsAnOverflowOnceAndLoadsTheRest() {
    ErrorRecorder errors;
    bind({{QStringLiteral("SpostX"), QStringLiteral("40000")},
          {QStringLiteral("SpostY"), QStringLiteral("5")},
          {QStringLiteral("Caption_Height"), QStringLiteral("-99999")},
          {QStringLiteral("Color"), QStringLiteral("255")},
          {QStringLiteral("Caption_Italic"), QStringLiteral("1")}});
    QCOMPARE(errors.entries.size(), 1);
    const QString text = errors.entries.first().text;
    QVERIFY2(text.startsWith(QStringLiteral("Errore 6: Overflow")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("SpostX")));
    QVERIFY(text.contains(QStringLiteral("Caption_Height")));
    QVERIFY(!text.contains(QStringLiteral("SpostY")));

    QCOMPARE(m_model->RetrData(QStringLiteral("SpostX")), QVariant(0));
    QCOMPARE(m_model->RetrData(QStringLiteral("SpostY")), QVariant(5));
    QCOMPARE(m_model->RetrData(QStringLiteral("Caption_Height")), QVariant(0));
    // Items after the bad ones are loaded all the same.
    QCOMPARE(m_model->RetrData(QStringLiteral("Color")), QVariant(255));
    QCOMPARE(m_model->RetrData(QStringLiteral("Caption_Italic")), QVariant(true));
}

void TestPropListModel::readyWithoutSkin() {
    m_model->LoadingItems();
    QVERIFY(m_model->Ready(nullptr)); // the closed state: an empty, bound list
    QVERIFY(m_model->isReady());
    QVERIFY(!m_model->skin());

    bind({{QStringLiteral("Title"), QStringLiteral("T")}});
    QVERIFY(!m_model->Ready(nullptr));
    QCOMPARE(m_model->RetrData(QStringLiteral("Title")), QVariant(QStringLiteral("T")));

    m_model->Clear();
    QCOMPARE(m_model->categoryCount(), 0);
    QVERIFY(m_model->Ready(nullptr));
}

void TestPropListModel::setDataWritesTheDocumentAndMarksModified() {
    bind({});
    QSignalSpy rows(m_model.get(), &PropListModel::itemChanged);
    QSignalSpy whole(m_model.get(), &PropListModel::listChanged);
    QSignalSpy modified(m_model.get(), &PropListModel::modifiedChanged);

    QVERIFY(m_model->SetData(QStringLiteral("Button_Up"), 255));
    QCOMPARE(m_model->RetrData(QStringLiteral("Button_Up")), QVariant(255));
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("button_up")), QVariant(255));
    QVERIFY(m_model->Modified());
    QCOMPARE(rows.size(), 1);
    int c = 0, i = 0;
    m_model->findItem(QStringLiteral("Button_Up"), &c, &i);
    QCOMPARE(rows.first(), (QList<QVariant>{c, i}));
    QCOMPARE(whole.size(), 0);
    QCOMPARE(modified.size(), 1);

    // A save clears the flag; the next change sets it again.
    QVERIFY(m_model->SetData(QStringLiteral("Title"), QStringLiteral("Nuovo")));
    QCOMPARE(modified.size(), 1);
    bool ok = false;
    m_model->Salva(&ok);
    QVERIFY(ok);
    QVERIFY(!m_model->Modified());
    QCOMPARE(modified.size(), 2);
}

void TestPropListModel::setDataOfUnknownKeyChangesNothing() {
    bind({});
    QSignalSpy rows(m_model.get(), &PropListModel::itemChanged);
    const QStringList keysBefore = m_skin->keys();
    QVERIFY(!m_model->SetData(QStringLiteral("NoSuchKey"), 1));
    QVERIFY(!m_model->Modified());
    QCOMPARE(rows.size(), 0);
    QCOMPARE(m_skin->keys(), keysBefore);
}

void TestPropListModel::maskColourRepaintsTheWholeList() {
    bind({});
    QSignalSpy rows(m_model.get(), &PropListModel::itemChanged);
    QSignalSpy whole(m_model.get(), &PropListModel::listChanged);
    QVERIFY(m_model->SetData(QStringLiteral("MaskColor"), 0xFF00FF));
    QCOMPARE(whole.size(), 1);
    QCOMPARE(rows.size(), 0);
}

void TestPropListModel::checkBoxStoresABoolInListAndDocument() {
    bind({{QStringLiteral("UseMasks"), QStringLiteral("0")}});
    int c = 0, i = 0;
    QVERIFY(m_model->findItem(QStringLiteral("UseMasks"), &c, &i));
    m_model->setBoolFromEditor(c, i, true);
    QCOMPARE(m_model->item(c, i).ItemValue, QVariant(true));
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("UseMasks")), QVariant(true));
    QVERIFY(m_model->Modified());
    m_model->setBoolFromEditor(c, i, false);
    QCOMPARE(m_model->item(c, i).ItemValue, QVariant(false));
}

void TestPropListModel::switchStoresTheKnownValues_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("onValue");
    QTest::addColumn<QVariant>("offValue");
    QTest::newRow("colour") << "Button_Up" << QVariant(16777215) << QVariant(-1);
    QTest::newRow("transparency") << "Scroller_Transp" << QVariant(23) << QVariant(-1);
    QTest::newRow("gradient") << "Capt" << QVariant(0) << QVariant(-1);
    QTest::newRow("image") << "Add" << QVariant("add.bmp") << QVariant("");
}

void TestPropListModel::switchStoresTheKnownValues() {
    QFETCH(QString, key);
    QFETCH(QVariant, onValue);
    QFETCH(QVariant, offValue);
    // Every item starts switched off, so switching on has no earlier value to bring back.
    bind({{QStringLiteral("Button_Up"), QStringLiteral("-1")},
          {QStringLiteral("Scroller_Transp"), QStringLiteral("-1")}});
    int c = 0, i = 0;
    QVERIFY(m_model->findItem(key, &c, &i));
    QVERIFY(m_model->isSwitchable(c, i));
    QSignalSpy rows(m_model.get(), &PropListModel::itemChanged);
    const auto state = [&] {
        return m_model->item(c, i);
    };

    QVERIFY(!state().IsSet);
    QCOMPARE(state().ItemValue.toString(), offValue.toString());

    QVERIFY(m_model->toggleItem(c, i, QImage()));
    QVERIFY(state().IsSet);
    QCOMPARE(state().ItemValue, onValue);

    QVERIFY(m_model->toggleItem(c, i, QImage()));
    QVERIFY(!state().IsSet);
    QCOMPARE(state().ItemValue, offValue);
    QVERIFY(!rows.isEmpty());
    // Switching leaves the document's value alone, but the next save writes the new one: until
    // then the change is unsaved, and closing the skin must ask.
    QVERIFY(m_model->Modified());
    m_model->Salva();
    QVERIFY(!m_model->Modified());
    QVERIFY(m_model->toggleItem(c, i, QImage()));
    QVERIFY(m_model->Modified());
    QVERIFY(m_model->toggleItem(c, i, QImage()));

    // A dialog opened before the item was switched off stores its value all the same; the saved
    // file holds it, so the row shows the item as set.
    QVERIFY(m_model->SetData(key, onValue));
    QVERIFY(state().IsSet);
    QVERIFY(m_model->Modified());
    // A dialog never switches an item off: the value it stores stays editable from the list.
    QVERIFY(m_model->SetData(key, offValue));
    QVERIFY(state().IsSet);
}

void TestPropListModel::switchIgnoresItemsThatCannotBeSwitched() {
    bind({{QStringLiteral("Border_Width"), QStringLiteral("-1")}});
    for (const QString& key : {QStringLiteral("Color"), QStringLiteral("Border_Width"),
                               QStringLiteral("UseMasks"), QStringLiteral("Title")}) {
        int c = 0, i = 0;
        QVERIFY(m_model->findItem(key, &c, &i));
        const tItem before = m_model->item(c, i);
        QVERIFY2(!m_model->isSwitchable(c, i), qPrintable(key));
        QVERIFY(!m_model->toggleItem(c, i, QImage()));
        QCOMPARE(m_model->item(c, i).IsSet, before.IsSet);
        QCOMPARE(m_model->item(c, i).ItemValue, before.ItemValue);
    }
    QVERIFY(!m_model->toggleItem(0, 0, QImage()));
    QVERIFY(!m_model->toggleItem(99, 1, QImage()));
}

void TestPropListModel::switchingAGradientOnWritesTwoBlackStops() {
    bind({{QStringLiteral("Capt_Count"), QStringLiteral("0")}});
    int c = 0, i = 0;
    QVERIFY(m_model->findItem(QStringLiteral("Capt"), &c, &i));
    QVERIFY(!m_model->item(c, i).IsSet);
    QVERIFY(m_model->toggleItem(c, i, QImage()));
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("Capt_Count")), QVariant(2));
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("Capt_Pos<1>")), QVariant(0));
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("Capt<1>")), QVariant(0));
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("Capt_Pos<2>")), QVariant(100));
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("Capt<2>")), QVariant(0));
}

void TestPropListModel::switchingAnImageOnWritesAPlaceholderBitmap() {
    bind({});
    int c = 0, i = 0;
    QVERIFY(m_model->findItem(QStringLiteral("Remove"), &c, &i));
    QImage placeholder(17, 17, QImage::Format_RGB32);
    placeholder.fill(QColor(250, 240, 230));
    placeholder.setPixel(3, 4, qRgb(1, 2, 3));
    ErrorRecorder errors;
    QVERIFY(m_model->toggleItem(c, i, placeholder));
    QVERIFY(errors.isEmpty());
    QCOMPARE(m_model->item(c, i).ItemValue, QVariant(QStringLiteral("remove.bmp")));

    const QByteArray bytes = readFileBytes(m_skinDir + QStringLiteral("remove.bmp"));
    QVERIFY(bytes.startsWith("BM"));
    const auto le16 = [&](int at) {
        return quint8(bytes[at]) | quint8(bytes[at + 1]) << 8;
    };
    QCOMPARE(le16(28), 24); // bits per pixel
    QCOMPARE(le16(30), 0);  // no compression
    QImage back;
    QVERIFY(back.loadFromData(bytes, "BMP"));
    QCOMPARE(back.size(), QSize(17, 17));
    QCOMPARE(back.pixel(3, 4), qRgb(1, 2, 3));
    QCOMPARE(back.pixel(0, 0), qRgb(250, 240, 230));

    // Off and on again brings back the picture there is, even one drawn since, and leaves it be.
    QImage drawn(17, 17, QImage::Format_RGB32);
    drawn.fill(QColor(10, 20, 30));
    QVERIFY(drawn.save(m_skinDir + QStringLiteral("remove.bmp"), "BMP"));
    const QByteArray drawnBytes = readFileBytes(m_skinDir + QStringLiteral("remove.bmp"));
    QVERIFY(m_model->toggleItem(c, i, placeholder));
    QVERIFY(!m_model->item(c, i).IsSet);
    QVERIFY(m_model->toggleItem(c, i, placeholder));
    QVERIFY(m_model->item(c, i).IsSet);
    QCOMPARE(m_model->item(c, i).ItemValue, QVariant(QStringLiteral("remove.bmp")));
    QCOMPARE(readFileBytes(m_skinDir + QStringLiteral("remove.bmp")), drawnBytes);
    QVERIFY(errors.isEmpty());
}

void TestPropListModel::switchingAnImageOnThatCannotBeWrittenChangesNothing() {
    bind({});
    m_skin->setSkinPath(m_folders->programDir() + QStringLiteral("/missing/"));
    int c = 0, i = 0;
    QVERIFY(m_model->findItem(QStringLiteral("New"), &c, &i));
    ErrorRecorder errors;
    QVERIFY(!m_model->toggleItem(c, i, QImage()));
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY(errors.entries.first().text.startsWith(QStringLiteral("Errore 76: ")));
    QVERIFY(!m_model->item(c, i).IsSet);
    QCOMPARE(m_model->item(c, i).ItemValue.toString(), QString());
}

void TestPropListModel::chooseFileInsideTheSkinFolderCopiesNothing() {
    bind({{QStringLiteral("ImageName"), QStringLiteral("old.bmp")}});
    QVERIFY(writeFileBytes(m_skinDir + QStringLiteral("logo.bmp"), "logo"));
    int c = 0, i = 0;
    QVERIFY(m_model->findItem(QStringLiteral("ImageName"), &c, &i));
    // The folder as a file browser gives it back: without the final separator.
    QVERIFY(m_model->chooseFile(c, i, m_folders->workDir(), QStringLiteral("logo.bmp")));
    QCOMPARE(m_model->item(c, i).ItemValue, QVariant(QStringLiteral("logo.bmp")));
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("ImageName")), QVariant(QStringLiteral("logo.bmp")));
    QCOMPARE(QDir(m_skinDir).entryList(QDir::Files), QStringList{QStringLiteral("logo.bmp")});
    // A new name is an unsaved change.
    QVERIFY(m_model->Modified());
}

void TestPropListModel::chooseFileElsewhereCopiesAndReplaces() {
    bind({});
    const QString elsewhere = m_folders->programDir() + QStringLiteral("/pics");
    QVERIFY(QDir().mkpath(elsewhere));
    QVERIFY(writeFileBytes(elsewhere + QStringLiteral("/logo.bmp"), "new picture"));
    QVERIFY(writeFileBytes(m_skinDir + QStringLiteral("logo.bmp"), "old"));
    int c = 0, i = 0;
    QVERIFY(m_model->findItem(QStringLiteral("ImageName"), &c, &i));
    QVERIFY(m_model->chooseFile(c, i, elsewhere, QStringLiteral("logo.bmp")));
    QCOMPARE(readFileBytes(m_skinDir + QStringLiteral("logo.bmp")), QByteArray("new picture"));
    QCOMPARE(readFileBytes(elsewhere + QStringLiteral("/logo.bmp")), QByteArray("new picture"));
    QCOMPARE(m_model->item(c, i).ItemValue, QVariant(QStringLiteral("logo.bmp")));
    QVERIFY(m_model->Modified());
}

void TestPropListModel::chooseFileFailuresChangeNothing() {
    bind({{QStringLiteral("ImageName"), QStringLiteral("old.bmp")}});
    int c = 0, i = 0;
    QVERIFY(m_model->findItem(QStringLiteral("ImageName"), &c, &i));
    const QString elsewhere = m_folders->programDir();
    ErrorRecorder errors;

    // An empty answer of the browser is no failure, and changes nothing.
    QVERIFY(!m_model->chooseFile(c, i, elsewhere, QString()));
    QVERIFY(errors.isEmpty());

    QVERIFY(!m_model->chooseFile(c, i, elsewhere, QStringLiteral("missing.bmp")));
    QCOMPARE(errors.entries.size(), 1);
    QVERIFY(errors.entries.first().text.startsWith(QStringLiteral("Errore 53: ")));

    QVERIFY(!m_model->chooseFile(c, i, elsewhere, QStringLiteral("../escape.bmp")));
    QCOMPARE(errors.entries.size(), 2);

    // The target cannot be written: the working folder is gone.
    QVERIFY(writeFileBytes(elsewhere + QStringLiteral("/pic.bmp"), "pic"));
    QVERIFY(QDir(m_skinDir).removeRecursively());
    QVERIFY(!m_model->chooseFile(c, i, elsewhere, QStringLiteral("pic.bmp")));
    QCOMPARE(errors.entries.size(), 3);

    QCOMPARE(m_model->item(c, i).ItemValue, QVariant(QStringLiteral("old.bmp")));
    QCOMPARE(m_skin->RetrInfo(QStringLiteral("ImageName")), QVariant(QStringLiteral("old.bmp")));

    // Only a file item takes a file.
    int t = 0, ti = 0;
    QVERIFY(m_model->findItem(QStringLiteral("Title"), &t, &ti));
    QVERIFY(!m_model->chooseFile(t, ti, elsewhere, QStringLiteral("pic.bmp")));
}

void TestPropListModel::filesListOrderAndDuplicates() {
    PropListModel& m = *m_model;
    m.LoadingItems();
    m.AddCat(QStringLiteral("(image)"), QStringLiteral("Immagini"));
    m.AddItem(QStringLiteral("(image)"), QStringLiteral("Alias"), QStringLiteral("Aliases"),
              KindImage);
    m.AddItem(QStringLiteral("(image)"), QStringLiteral("Massimizza"), QStringLiteral("max.bmp"),
              KindImage);
    m.AddItem(QStringLiteral("(image)"), QStringLiteral("Trigger"), QStringLiteral("Triggers"),
              KindImage);
    m.AddItem(QStringLiteral("(image)"), QStringLiteral("Nuovo"), QStringLiteral("New"), KindImage,
              true);
    m.AddCat(QStringLiteral("(mask)"), QStringLiteral("Maschere"));
    m.AddItem(QStringLiteral("(mask)"), QStringLiteral("Chiudi"), QStringLiteral("SysMenu_Close"),
              KindMask);
    m.AddItem(QStringLiteral("(mask)"), QStringLiteral("Alto"), QStringLiteral("Scroller_Up"),
              KindMask);
    m.AddItem(QStringLiteral("(mask)"), QStringLiteral("Basso"), QStringLiteral("Scroller_Down"),
              KindMask);
    m.AddCat(QStringLiteral("(general)"), QStringLiteral("Generali"));
    m.AddItem(QStringLiteral("(general)"), QStringLiteral("Nome"), QStringLiteral("ImageName"),
              KindFile);
    m.AddItem(QStringLiteral("(general)"), QStringLiteral("Titolo"), QStringLiteral("Title"),
              KindString);
    m_skin->AddInfo(QStringLiteral("Aliases"), QStringLiteral("A.bmp"));
    m_skin->AddInfo(QStringLiteral("max.bmp"), QStringLiteral("ignored.bmp"));
    m_skin->AddInfo(QStringLiteral("Triggers"), QStringLiteral("a.BMP")); // same name as Aliases
    m_skin->AddInfo(QStringLiteral("SysMenu_Close"), QStringLiteral("B.bmp"));
    m_skin->AddInfo(QStringLiteral("Scroller_Up"), QStringLiteral("p_B.bmp"));
    m_skin->AddInfo(QStringLiteral("ImageName"), QStringLiteral("SKIN.INI"));
    m_skin->AddInfo(QStringLiteral("Title"), QStringLiteral("not a file"));
    QVERIFY(m.Ready(m_skin));
    QCOMPARE(m.GetFilesList(),
             (QStringList{QStringLiteral("skin.ini"), QStringLiteral("A.bmp"),
                          QStringLiteral("max.bmp"), QStringLiteral("B.bmp"),
                          QStringLiteral("p_B.bmp"), QStringLiteral("p_p_B.bmp")}));
}

void TestPropListModel::filesListSkipsNamesOutsideTheFolder() {
    bind({{QStringLiteral("Aliases"), QStringLiteral("../../home/user/secret")},
          {QStringLiteral("Triggers"), QStringLiteral("/etc/passwd")},
          {QStringLiteral("Connect"), QStringLiteral("..\\x.bmp")},
          {QStringLiteral("Disconnect"), QStringLiteral("..")},
          {QStringLiteral("SysMenu_Max"), QStringLiteral("sub/m.bmp")},
          {QStringLiteral("Exit"), QStringLiteral("exit.bmp")}});
    const QStringList files = m_model->GetFilesList();
    QVERIFY(files.contains(QStringLiteral("exit.bmp")));
    for (const QString& name : files) {
        QVERIFY2(!name.contains(u'/') && !name.contains(u'\\') && name != QLatin1String(".."),
                 qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TestPropListModel)
#include "tst_proplistmodel.moc"
