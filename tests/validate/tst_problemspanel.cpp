#include "cleanskin.h"
#include "packagebytes.h"
#include "testsupport.h"
#include "validate/problemspanel.h"

#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

// The panel over an open document: a burst of edits checked once, undo taking a problem away, a
// double click naming the setting, a document gone leaving the list empty.
class TestProblemsPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void followsTheDocument();
};

void TestProblemsPanel::followsTheDocument() {
    TestFolders folders;
    QVERIFY(writeFileBytes(folders.skinsDir() + QStringLiteral("(default).skn"),
                           packagebytes::skin("Pulito", cleanskin::files())));
    auto document = std::make_unique<SkinDocument>(nullptr);
    QVERIFY(document->open(folders.locations(), QStringLiteral("(default).skn")).ok);

    ProblemsPanel panel;
    QSignalSpy checked(&panel, &ProblemsPanel::problemsChanged);
    QSignalSpy activated(&panel, &ProblemsPanel::problemActivated);
    panel.setDocument(document.get());
    panel.show();
    SkinChange change;
    change.values = {{QStringLiteral("SpostY"), 40}};
    QVERIFY(document->apply(change).ok);
    change.values = {{QStringLiteral("Menu_Text"), 16777215}, {QStringLiteral("SpostX"), "abc"}};
    QVERIFY(document->apply(change).ok);
    QTRY_COMPARE(panel.count(), 3);
    QCOMPARE(checked.size(), 1);
    QCOMPARE(panel.errorCount(), 1);

    auto* list = panel.findChild<QTreeWidget*>(QStringLiteral("lstProblems"));
    QTreeWidgetItem* row = list->topLevelItem(0);
    QCOMPARE(row->text(0), QStringLiteral("errore"));
    QCOMPARE(row->text(1), QStringLiteral("SpostX"));
    const QPoint centre = list->visualItemRect(row).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(activated.value(0).value(0).toString(), QStringLiteral("SpostX"));

    document->undoStack()->undo();
    QTRY_COMPARE(panel.count(), 1);
    QCOMPARE(panel.errorCount(), 0);

    // A hidden panel checks nothing until it is shown again.
    panel.hide();
    document->undoStack()->redo();
    QTest::qWait(300);
    QCOMPARE(panel.count(), 1);
    panel.show();
    QCOMPARE(panel.count(), 3);

    document.reset();
    QCOMPARE(panel.count(), 0);
    QCOMPARE(list->topLevelItemCount(), 0);
}

QTEST_MAIN(TestProblemsPanel)
#include "tst_problemspanel.moc"
