#include "preview/previewpane.h"
#include "previewfixture.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QTest>

// The pane as the main window uses it: it follows the document and a dialog's pending values,
// and answers the pointer with the setting under it.
class TestPreviewPane : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void followsDocumentAndOverlay();
    void clickAndDoubleClickNameTheSetting();

private:
    // A point of the first element of `key` that no later element covers.
    QPoint visiblePoint(const QString& key) const {
        const PreviewMap map = pane->elementMap();
        for (qsizetype i = 0; i < map.size(); ++i)
            if (map[i].key == key && !visiblePart(map, i).isEmpty())
                return visiblePart(map, i).begin()->center();
        return {-1, -1};
    }
    Colour shown(QPoint at) const { return fromQRgb(pane->grab().toImage().pixel(at)); }

    std::unique_ptr<CraftedSkin> crafted;
    std::unique_ptr<PreviewPane> pane;
};

void TestPreviewPane::init() {
    crafted = std::make_unique<CraftedSkin>();
    pane = std::make_unique<PreviewPane>();
    pane->setDocument(crafted->document.get());
    pane->resize(480, 360);
    pane->show();
}

void TestPreviewPane::followsDocumentAndOverlay() {
    const QPoint menu = visiblePoint("Menu_Back");
    QVERIFY(menu.x() >= 0);
    const Colour edited = makeColour(12, 34, 56);
    QVERIFY(crafted->document->apply({"Sfondo dei menu", {{"Menu_Back", edited}}, {}}).ok);
    QCOMPARE(shown(menu), edited);

    PreviewOverlay pending;
    pending.setValue("menu_back", makeColour(200, 100, 0));
    pane->setOverlay(pending);
    QCOMPARE(shown(menu), makeColour(200, 100, 0));
    pane->clearOverlay();
    QCOMPARE(shown(menu), edited);
}

void TestPreviewPane::clickAndDoubleClickNameTheSetting() {
    QSignalSpy clicked(pane.get(), &PreviewPane::elementClicked);
    QSignalSpy activated(pane.get(), &PreviewPane::elementActivated);
    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, visiblePoint("Capt"));
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked[0][0].toString(), QStringLiteral("Capt"));
    QTest::mouseDClick(pane.get(), Qt::LeftButton, {}, visiblePoint("Button_Text"));
    QCOMPARE(activated.size(), 1);
    QCOMPARE(activated[0][0].toString(), QStringLiteral("Button_Text"));
}

QTEST_MAIN(TestPreviewPane)
#include "tst_previewpane.moc"
