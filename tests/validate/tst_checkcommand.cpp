#include "cleanskin.h"
#include "packagebytes.h"
#include "testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

// tessellary-skn check as a script runs it: the exit status, and the problems read back from its
// lines or its JSON, which must say the same.
class TestCheckCommand : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statusAndOutput_data();
    void statusAndOutput();
};

namespace {

const QByteArray kMissing = "<missing>";

QByteArray package(const QByteArray& lines, const QByteArray& dropped = {}) {
    cleanskin::Files files = cleanskin::files();
    files[0].second += lines;
    files.removeIf([&](const auto& file) { return file.first == dropped; });
    return packagebytes::skin("Prova", files);
}

} // namespace

void TestCheckCommand::statusAndOutput_data() {
    QTest::addColumn<QByteArray>("skin");
    QTest::addColumn<QByteArray>("fallback"); // the --default package, when not empty
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("problems"); // "severity code key"

    const auto row = [](const char* name, const QByteArray& skin, int status,
                        const QStringList& problems = {}, const QByteArray& fallback = {}) {
        QTest::newRow(name) << skin << fallback << status << problems;
    };
    const QByteArray clean = package({});
    row("clean", clean, 0);
    row("warnings only, a key with a control character", package("Bad\x01Key = 1\r\n"), 0,
        {"avviso unknown-key Bad\\x01Key"});
    row("an error", package("SpostX = 2.5\r\nSpostY = 9\r\n"), 1,
        {"errore invalid-number SpostX", "avviso number-range SpostY"});
    row("picture the default provides", package({}, "connect.bmp"), 0, {}, clean);
    row("missing", kMissing, 2);
    row("not a package", "[parametri]\r\n", 2);
    row("cut in the last file", clean.chopped(1), 2);
    row("cut between files",
        packagebytes::skin("Prova", cleanskin::files(), cleanskin::files().size() + 1), 2);
    row("default cut short", clean, 2, {}, clean.chopped(1));
}

void TestCheckCommand::statusAndOutput() {
    QFETCH(QByteArray, skin);
    QFETCH(QByteArray, fallback);
    QFETCH(int, status);
    QFETCH(QStringList, problems);
    TestFolders folders;
    const QString path = folders.programDir() + QStringLiteral("/prova.skn");
    if (skin != kMissing)
        QVERIFY(writeFileBytes(path, skin));
    QStringList args{"check", path};
    if (!fallback.isEmpty()) {
        args << "--default" << folders.programDir() + QStringLiteral("/predefinito.skn");
        QVERIFY(writeFileBytes(args.last(), fallback));
    }
    for (const bool json : {false, true}) {
        QProcess process;
        process.start(binDir() + QStringLiteral("/tessellary-skn"),
                      json ? args + QStringList{"--json"} : args);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), status);
        const QByteArray out = process.readAllStandardOutput();
        QStringList found;
        if (status == 2) {
            QCOMPARE(out, QByteArray());
            QVERIFY(!process.readAllStandardError().isEmpty()); // says why
        } else if (json) {
            for (const QJsonValue& value : QJsonDocument::fromJson(out).array()) {
                const QJsonObject p = value.toObject();
                QCOMPARE(p.size(), 4);
                found << QStringList{p["severity"].toString(), p["code"].toString(),
                                     p["key"].toString().replace(u'\x01', "\\x01")}
                             .join(u' ');
            }
            if (problems.isEmpty())
                QCOMPARE(out, QByteArray("[]\n"));
        } else {
            for (const QString& line : QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts)) {
                const QStringList fields = line.split(u'\t');
                QCOMPARE(fields.size(), 4);
                found << fields.mid(0, 3).join(u' ');
            }
        }
        QCOMPARE(found, problems);
    }
}

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "tst_checkcommand.moc"
