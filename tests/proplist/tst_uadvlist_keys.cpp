// The property list from the keyboard: the highlight moved over category and item rows, folding,
// the editors' actions, the type-ahead, and the selection of an item by key for the host.
#include "uadvlistfixture.h"

#include "scriptedprompts.h"

#include <QApplication>
#include <QKeySequence>
#include <QSignalSpy>

class tst_uAdvListKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void keys_data();
    void keys();

private:
    void load();
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<ListFixture> f;
};

// Three folded categories; the third is taller than the surface.
void tst_uAdvListKeys::load() {
    PropListModel& l = *f->model();
    l.LoadingItems();
    l.AddCat("(a)", "Colori");
    l.AddItem("(a)", "Colore", "Col", KindColor);
    l.AddItem("(a)", "Colore facoltativo", "ColOpt", KindColor, true);
    l.AddItem("(a)", "Opzione", "Flag", KindBool);
    l.AddItem("(a)", "Sfondo", "ImageName", KindFile);
    l.AddCat("(b)", "Seconda");
    l.AddItem("(b)", "Numero", "Num", KindNumber);
    l.AddCat("(c)", "Voci");
    for (int i = 1; i <= 30; ++i)
        l.AddItem("(c)", QStringLiteral("Voce %1").arg(i), QStringLiteral("V%1").arg(i),
                  KindNumber);
    l.Ready(f->skin);
}

void tst_uAdvListKeys::init() {
    prompts = std::make_unique<ScriptedPrompts>();
    f = std::make_unique<ListFixture>();
    f->skin->AddInfo("ColOpt", 65280);
    load();
    f->list->setPrompts(prompts.get());
    f->setSurfaceSize(300, 200);
    // A window that opens gives the focus to the first control Tab reaches: the list.
    QVERIFY(f->show() && QTest::qWaitForWindowActive(f->list.get()) && f->list->hasFocus());
}

void tst_uAdvListKeys::keys_data() {
    // Key names; 'text is typed; MouseN points at item N; select:K and activate:K call the list.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("row");  // category.item highlighted
    QTest::addColumn<QString>("seen"); // open: the first category unfolded; what else happened
    const auto add = [](const char* name, QString keys, QString row, QString seen) {
        QTest::newRow(name) << keys << row << seen;
    };
    add("the ends hold", "Down Up Up End Down", "3.0", "");
    add("Right unfolds, then enters", "Down Right Right", "1.1", "open");
    add("Down runs on", "Home Right Down Down Down Down Down", "2.0", "open");
    add("Left leaves an item", "Down Right Right Down Left", "1.0", "open");
    add("Left folds", "Down Right Left", "1.0", "");
    add("Enter asks", "Down Right Right Enter", "1.1", "open mod:Col");
    add("Space ticks", "Down Right Right Down Down Space", "1.3", "open flag");
    add("Enter browses", "Down Right Right Down Down Down Return", "1.4", "open browse");
    add("switched off, no editor", "Down Right Right Down Ctrl+Space Enter", "1.2", "open off");
    add("a letter", "Down Right 's", "1.4", "open");
    add("letters refine, in any case", "Down Right 'SE", "2.0", "open");
    add("the letter again steps on", "Down Right 'ss", "2.0", "open");
    add("pages", "End Right Right PgDown PgDown PgUp", "3.11", "");
    add("keys go on from the pointer", "Down Right Mouse3 Down", "1.4", "open");
    add("a far item selected", "select:V25", "3.25", "");
    add("an item activated", "Down activate:Col", "1.1", "open mod:Col");
    add("a new schema forgets", "select:Num reload", "0.0", "");
}

void tst_uAdvListKeys::keys() {
    QFETCH(QString, keys);
    QFETCH(QString, seen);
    QSignalSpy mod(f->list.get(), &uAdvList::ModItem);
    QSignalSpy highlighted(f->list.get(), &uAdvList::highlightChanged);
    if (seen.contains(QLatin1String("browse")))
        prompts->queueBrowse(f->work, QString()); // cancelled
    for (const QString& k : keys.split(QLatin1Char(' '))) {
        const QKeyCombination key = QKeySequence::fromString(k)[0];
        if (k.startsWith(QLatin1Char('\'')))
            QTest::keyClicks(QApplication::focusWidget(), k.mid(1));
        else if (k.startsWith(QLatin1String("Mouse")))
            QTest::mouseMove(f->surface(), QPoint(100, 20 + 18 * (k.mid(5).toInt() - 1) + 9));
        else if (k.startsWith(QLatin1String("select:")))
            f->list->selectKey(k.mid(7));
        else if (k.startsWith(QLatin1String("activate:")))
            f->list->activateKey(k.mid(9));
        else if (k == QLatin1String("reload"))
            load();
        else
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
    const int cat = f->list->hotCategory();
    const int item = f->list->hotItem();
    QFETCH(QString, row);
    QCOMPARE(QStringLiteral("%1.%2").arg(cat).arg(item), row);
    // The highlighted row is always in view, and the host was told which item it is.
    const QRect area = item ? f->model()->item(cat, item).Area : f->model()->category(cat).Area;
    QVERIFY(cat == 0 || (area.top() >= 0 && area.bottom() <= f->surface()->height()));
    QCOMPARE(highlighted.isEmpty() ? QString() : highlighted.last().first().toString(),
             item ? f->model()->item(cat, item).ItemKey : QString());

    // Everything else the keys did, in a few words.
    QStringList happened = {f->model()->category(1).Expanded ? "open" : "",
                            mod.isEmpty() ? "" : "mod:" + mod.last().first().toString(),
                            f->model()->RetrData(QStringLiteral("Flag")).toBool() ? "flag" : "",
                            prompts->browseCalls().isEmpty() ? "" : "browse",
                            f->model()->item(1, 2).IsSet ? "" : "off"};
    happened.removeAll(QString());
    QCOMPARE(happened.join(QLatin1Char(' ')), seen);
}

QTEST_MAIN(tst_uAdvListKeys)
#include "tst_uadvlist_keys.moc"
