#include "dialoghelpers.h"
#include "dialogs/frmsfoglia.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

QStringList listed(QListWidget* files) {
    QStringList names;
    for (int i = 0; i < files->count(); ++i)
        names << files->item(i)->text();
    return names;
}

QTreeWidgetItem* findFolder(QTreeWidget* dirs, const QString& name) {
    const QList<QTreeWidgetItem*> found =
        dirs->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void clickFile(QListWidget* files, const QString& name, bool twice = false) {
    const QList<QListWidgetItem*> found = files->findItems(name, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    const QPoint at = files->visualItemRect(found.first()).center();
    if (twice)
        doubleClick(files->viewport(), at);
    else
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class TestFrmSfoglia : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void listsThePicturesOfTheFolder();
    void startValueNotInTheListIsReturned();
    void selectionWinsOverTypedText();
    void changingTheFolderEmptiesTheName_data();
    void changingTheFolderEmptiesTheName();
    void cancellingReturnsNoName_data();
    void cancellingReturnsNoName();
    void pathAlwaysEndsInASeparator_data();
    void pathAlwaysEndsInASeparator();
    void folderListShowsTheChainAndTheSubfolders();
    void consentiCambioLocksTheFolder();
    void sfogliaShowsModallyAndDoubleClickChooses();

private:
    QTemporaryDir m_temp;
    QString m_root; // holds the pictures and the subfolders
    std::unique_ptr<frmSfoglia> m_dialog;
};

void TestFrmSfoglia::initTestCase() {
    QVERIFY(m_temp.isValid());
    m_root = QDir::cleanPath(m_temp.path() + QStringLiteral("/Skin"));
    QDir().mkpath(m_root + QStringLiteral("/sub"));
    QDir().mkpath(m_root + QStringLiteral("/Altra cartella"));
    for (const char* name :
         {"a.bmp", "B.JPG", "c.gif", "d.png", "e.txt", "f.Bmp", "bmp", "g.bmp.bak", "h.jpeg"})
        QVERIFY(writeFileBytes(m_root + u'/' + QLatin1String(name), "x"));
    QVERIFY(writeFileBytes(m_root + QStringLiteral("/sub/inside.bmp"), "x"));
}

void TestFrmSfoglia::init() {
    m_dialog = std::make_unique<frmSfoglia>();
    m_dialog->setDirInizio(m_root);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TestFrmSfoglia::cleanup() {
    m_dialog.reset();
}

void TestFrmSfoglia::listsThePicturesOfTheFolder() {
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Sfoglia..."));
    auto* files = m_dialog->findChild<QListWidget*>("Files");
    QCOMPARE(listed(files), (QStringList{"a.bmp", "B.JPG", "c.gif", "f.Bmp"}));
    QVERIFY(files->selectedItems().isEmpty());
}

void TestFrmSfoglia::startValueNotInTheListIsReturned() {
    m_dialog->setNomefile(QStringLiteral("altro.bmp"));
    QCOMPARE(m_dialog->findChild<QLineEdit*>("txtFile")->text(), QStringLiteral("altro.bmp"));
    QVERIFY(m_dialog->findChild<QListWidget*>("Files")->selectedItems().isEmpty());
    QTest::mouseClick(m_dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->Nomefile(), QStringLiteral("altro.bmp"));
    QCOMPARE(m_dialog->Path(), m_root + u'/');
}

void TestFrmSfoglia::selectionWinsOverTypedText() {
    auto* files = m_dialog->findChild<QListWidget*>("Files");
    auto* txt = m_dialog->findChild<QLineEdit*>("txtFile");
    clickFile(files, QStringLiteral("c.gif"));
    QCOMPARE(txt->text(), QStringLiteral("c.gif"));
    txt->selectAll();
    QTest::keyClicks(txt, QStringLiteral("scritto.bmp"));
    QCOMPARE(txt->text(), QStringLiteral("scritto.bmp"));
    // Enter in the name box presses the default button, "OK".
    QTest::keyClick(txt, Qt::Key_Return);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->Nomefile(), QStringLiteral("c.gif"));
}

void TestFrmSfoglia::changingTheFolderEmptiesTheName_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("double click") << false;
    QTest::newRow("Enter") << true;
}

void TestFrmSfoglia::changingTheFolderEmptiesTheName() {
    QFETCH(bool, byKey);
    auto* dirs = m_dialog->findChild<QTreeWidget*>("Dirs");
    auto* files = m_dialog->findChild<QListWidget*>("Files");
    auto* txt = m_dialog->findChild<QLineEdit*>("txtFile");
    clickFile(files, QStringLiteral("a.bmp"));
    QCOMPARE(txt->text(), QStringLiteral("a.bmp"));
    QTreeWidgetItem* sub = findFolder(dirs, QStringLiteral("sub"));
    QVERIFY(sub);
    if (byKey) {
        dirs->setCurrentItem(sub);
        QTest::keyClick(dirs, Qt::Key_Return);
        QVERIFY(m_dialog->isVisible()); // Enter opened the folder, it did not press "OK"
    } else {
        doubleClick(dirs->viewport(), dirs->visualItemRect(sub).center());
    }
    QCOMPARE(m_dialog->Path(), m_root + QStringLiteral("/sub/"));
    QCOMPARE(listed(files), QStringList{"inside.bmp"});
    QCOMPARE(txt->text(), QString());
    QCOMPARE(m_dialog->Nomefile(), QString());
    // Back up through the chain: the parent folder is listed above the current one.
    QTreeWidgetItem* up = findFolder(dirs, QStringLiteral("Skin"));
    QVERIFY(up);
    txt->setText(QStringLiteral("x.bmp"));
    doubleClick(dirs->viewport(), dirs->visualItemRect(up).center());
    QCOMPARE(m_dialog->Path(), m_root + u'/');
    QCOMPARE(txt->text(), QString());
}

void TestFrmSfoglia::cancellingReturnsNoName_data() {
    QTest::addColumn<QString>("ending");
    QTest::newRow("Annulla") << "cmdAnnulla";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("frame") << "frame";
    QTest::newRow("Enter on the focused Annulla") << "enterOnAnnulla";
}

void TestFrmSfoglia::cancellingReturnsNoName() {
    QFETCH(QString, ending);
    clickFile(m_dialog->findChild<QListWidget*>("Files"), QStringLiteral("a.bmp"));
    if (ending == QLatin1String("esc"))
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    else if (ending == QLatin1String("frame"))
        m_dialog->close();
    else if (ending == QLatin1String("enterOnAnnulla")) {
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        auto* annulla = m_dialog->findChild<QPushButton*>("cmdAnnulla");
        annulla->setFocus(Qt::TabFocusReason);
        QVERIFY(annulla->hasFocus());
        QTest::keyClick(annulla, Qt::Key_Return);
    } else
        QTest::mouseClick(m_dialog->findChild<QPushButton*>(ending), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->Nomefile(), QString());
}

void TestFrmSfoglia::pathAlwaysEndsInASeparator_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("path");
    QTest::newRow("root") << QDir::rootPath() << QDir::rootPath();
    QTest::newRow("folder") << m_root << m_root + u'/';
    QTest::newRow("folder with separator") << m_root + u'/' << m_root + u'/';
    QTest::newRow("subfolder") << m_root + QStringLiteral("/sub")
                               << m_root + QStringLiteral("/sub/");
    QTest::newRow("missing folder: the nearest one above")
        << m_root + QStringLiteral("/sub/gone/deeper") << m_root + QStringLiteral("/sub/");
}

void TestFrmSfoglia::pathAlwaysEndsInASeparator() {
    QFETCH(QString, start);
    QFETCH(QString, path);
    m_dialog->setNomefile(QStringLiteral("x.bmp"));
    m_dialog->setDirInizio(start);
    QCOMPARE(m_dialog->DirInizio(), start);
    QCOMPARE(m_dialog->Path(), path);
    QCOMPARE(m_dialog->findChild<QLineEdit*>("txtFile")->text(), QString());
}

void TestFrmSfoglia::folderListShowsTheChainAndTheSubfolders() {
    auto* dirs = m_dialog->findChild<QTreeWidget*>("Dirs");
    QTreeWidgetItem* current = dirs->currentItem();
    QVERIFY(current);
    QCOMPARE(current->text(0), QStringLiteral("Skin"));
    QStringList subfolders;
    for (int i = 0; i < current->childCount(); ++i)
        subfolders << current->child(i)->text(0);
    QCOMPARE(subfolders, (QStringList{"Altra cartella", "sub"}));
    QStringList chain;
    for (QTreeWidgetItem* it = current; it; it = it->parent())
        chain.prepend(it->text(0));
    QCOMPARE(chain.first(), QDir::toNativeSeparators(QDir::rootPath()));
    QCOMPARE(chain.mid(1).join(u'/'), m_root.mid(1));
    // The volume list shows the volume of the folder.
    auto* drives = m_dialog->findChild<QComboBox*>("Drives");
    QVERIFY(drives->count() >= 1);
    QVERIFY(m_root.startsWith(drives->currentData().toString()));
}

void TestFrmSfoglia::consentiCambioLocksTheFolder() {
    m_dialog->setConsentiCambio(false);
    QVERIFY(!m_dialog->findChild<QWidget*>("Drives")->isEnabled());
    QVERIFY(!m_dialog->findChild<QWidget*>("Dirs")->isEnabled());
    QVERIFY(m_dialog->findChild<QWidget*>("Files")->isEnabled());
    m_dialog->setConsentiCambio(true);
    QVERIFY(m_dialog->findChild<QWidget*>("Drives")->isEnabled());
    QVERIFY(m_dialog->findChild<QWidget*>("Dirs")->isEnabled());
}

void TestFrmSfoglia::sfogliaShowsModallyAndDoubleClickChooses() {
    m_dialog.reset();
    QString typed;
    whenModalShown([&](QWidget* w) {
        QCOMPARE(frmSfoglia::sharedInstance(), w);
        typed = w->findChild<QLineEdit*>("txtFile")->text();
        clickFile(w->findChild<QListWidget*>("Files"), QStringLiteral("B.JPG"), true);
    });
    QString path, name;
    QVERIFY(frmSfoglia::Sfoglia(m_root + u'/', QStringLiteral("a.bmp"), &path, &name));
    QCOMPARE(typed, QStringLiteral("a.bmp")); // the name is set after the folder
    QCOMPARE(path, m_root + u'/');
    QCOMPARE(name, QStringLiteral("B.JPG"));

    whenModalShown([](QWidget* w) {
        QTest::mouseClick(w->findChild<QPushButton*>("cmdAnnulla"), Qt::LeftButton);
    });
    QVERIFY(!frmSfoglia::Sfoglia(m_root, QStringLiteral("a.bmp"), &path, &name));
    QCOMPARE(name, QString());
    QCOMPARE(frmSfoglia::sharedInstance(), nullptr);
}

QTEST_MAIN(TestFrmSfoglia)
#include "tst_frmsfoglia.moc"
