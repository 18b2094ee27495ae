// Opening the bundled default skin as the editor does (unpacking, reading skin.ini, loading the
// schema and binding the list) and saving it again (skin.ini, the file list, the package).
#include "common/cp1252.h"
#include "proplist/proplistmodel.h"
#include "skin/skinschema.h"
#include "storage/cbinary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class SilentReporter : public ErrorReporter {
public:
    void critical(const QString&, const QString& text) override { failures << text; }
    QStringList failures;
};

struct Fixture {
    QTemporaryDir root;
    Locations locations;
    SilentReporter reporter;
    ScopedErrorReporter scope{&reporter};
    bool ready = false;

    Fixture() {
        locations.programDir = root.path() + QStringLiteral("/program");
        locations.tempDir = root.path() + QStringLiteral("/temp");
        QDir().mkpath(locations.skinsDir());
        QDir().mkpath(locations.tempDir);
        ready = QFile::copy(QStringLiteral(TESS_BIN_DIR "/skins/(default).skn"),
                            locations.skinsDir() + locations.defaultSkinName()) &&
                QFile::copy(QStringLiteral(TESS_BIN_DIR "/modello.dat"),
                            locations.skinsDir() + QStringLiteral("nuovo.skn"));
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

bool check(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ready) {
        state.SkipWithError("the bundled skins were not found");
        return false;
    }
    if (!f.reporter.failures.isEmpty()) {
        state.SkipWithError(f.reporter.failures.join(u'\n').toStdString().c_str());
        return false;
    }
    return true;
}

void open(const QString& name, SkinRef& skin, PropListModel& list) {
    skin = std::make_shared<cSkin>(fixture().locations);
    skin->CaricaSkin(name);
    loadSkinSchema(list, skin);
}

void BM_OpenDefaultSkin(benchmark::State& state) {
    if (!check(state))
        return;
    for (auto _ : state) {
        SkinRef skin;
        PropListModel list;
        open(fixture().locations.defaultSkinName(), skin, list);
        benchmark::DoNotOptimize(list.RetrData(QStringLiteral("Title")));
    }
    check(state);
}

// The common case: a user's skin read over the default one.
void BM_OpenSkinOverDefault(benchmark::State& state) {
    if (!check(state))
        return;
    for (auto _ : state) {
        SkinRef skin;
        PropListModel list;
        open(QStringLiteral("nuovo.skn"), skin, list);
        benchmark::DoNotOptimize(list.RetrData(QStringLiteral("Title")));
    }
    check(state);
}

void BM_SaveDefaultSkin(benchmark::State& state) {
    if (!check(state))
        return;
    SkinRef skin;
    PropListModel list;
    open(fixture().locations.defaultSkinName(), skin, list);
    const QString credits = skin->RetrInfo(QStringLiteral("Credits")).toString();
    for (auto _ : state) {
        bool ok = false;
        const QString path = list.Salva(&ok);
        QFile ini(path);
        ini.open(QIODevice::WriteOnly | QIODevice::Append);
        ini.write("[info]\r\n" + encodeCp1252(credits) + "\r\n");
        ini.close();
        cBinary binary(fixture().locations);
        binary.CreaSkn(skin->SkinPath(), list.GetFilesList(), QStringLiteral("bench.skn"),
                       list.RetrData(QStringLiteral("Title")).toString());
        if (!ok)
            state.SkipWithError("skin.ini was not written");
    }
    check(state);
}

BENCHMARK(BM_OpenDefaultSkin)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_OpenSkinOverDefault)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_SaveDefaultSkin)->Unit(benchmark::kMicrosecond)->Repetitions(9);

} // namespace

BENCHMARK_MAIN();
