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
    void followsDocumentAndOverlay();
    void clickAndDoubleClickNameTheSetting();
};

namespace {

// A point of the first element of `key` that no later element covers.
QPoint visiblePoint(const PreviewMap& map, const QString& key) {
    for (qsizetype i = 0; i < map.size(); ++i)
        if (map[i].key == key && !visiblePart(map, i).isEmpty())
            return visiblePart(map, i).begin()->center();
    return {-1, -1};
}

QRgb shown(PreviewPane& pane, QPoint at) {
    return pane.grab().toImage().pixel(at);
}

} // namespace

void TestPreviewPane::followsDocumentAndOverlay() {
    CraftedSkin crafted;
    PreviewPane pane;
    pane.setDocument(crafted.document.get());
    pane.resize(480, 360);
    pane.show();
    const QPoint menu = visiblePoint(pane.elementMap(), "Menu_Back");
    QVERIFY(menu.x() >= 0);
    QCOMPARE(fromQRgb(shown(pane, menu)), crafted.colours["Menu_Back"]);

    const Colour edited = makeColour(12, 34, 56);
    QVERIFY(crafted.document->apply({"Sfondo dei menu", {{"Menu_Back", edited}}, {}}).ok);
    QCOMPARE(fromQRgb(shown(pane, menu)), edited);

    PreviewOverlay pending;
    pending.setValue("menu_back", makeColour(200, 100, 0));
    pane.setOverlay(pending);
    QCOMPARE(fromQRgb(shown(pane, menu)), makeColour(200, 100, 0));
    QCOMPARE(crafted.document->value("Menu_Back").toInt(), edited);
    pane.clearOverlay();
    QCOMPARE(fromQRgb(shown(pane, menu)), edited);
}

void TestPreviewPane::clickAndDoubleClickNameTheSetting() {
    CraftedSkin crafted;
    PreviewPane pane;
    pane.setDocument(crafted.document.get());
    pane.resize(480, 360);
    pane.show();
    QSignalSpy clicked(&pane, &PreviewPane::elementClicked);
    QSignalSpy activated(&pane, &PreviewPane::elementActivated);
    const QPoint caption = visiblePoint(pane.elementMap(), "Capt");
    QTest::mouseClick(&pane, Qt::LeftButton, {}, caption);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked[0][0].toString(), QStringLiteral("Capt"));
    QTest::mouseDClick(&pane, Qt::LeftButton, {}, visiblePoint(pane.elementMap(), "Button_Text"));
    QCOMPARE(activated.size(), 1);
    QCOMPARE(activated[0][0].toString(), QStringLiteral("Button_Text"));
}

QTEST_MAIN(TestPreviewPane)
#include "tst_previewpane.moc"
