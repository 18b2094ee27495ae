// Packing and unpacking a 64 MiB package of 256 files, next to plain copies of the same bytes on
// the same disk, so the cost of the format and of the safe save can be read as a ratio.
#include "storage/cbinary.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kFiles = 256;
constexpr qint64 kFileSize = 256 * 1024;
constexpr qint64 kTotal = kFiles * kFileSize;

class SilentReporter : public ErrorReporter {
public:
    void critical(const QString&, const QString& text) override { failures << text; }
    QStringList failures;
};

struct Fixture {
    QTemporaryDir root;
    Locations locations;
    QString source;
    QStringList names;
    QString package;
    SilentReporter reporter;
    ScopedErrorReporter scope{&reporter};

    Fixture() {
        locations.programDir = root.path() + QStringLiteral("/program");
        locations.tempDir = root.path() + QStringLiteral("/temp");
        source = root.path() + QStringLiteral("/source");
        QDir().mkpath(locations.skinsDir());
        QDir().mkpath(locations.tempDir);
        QDir().mkpath(source);
        QRandomGenerator random(42);
        QByteArray data(kFileSize, Qt::Uninitialized);
        for (int i = 0; i < kFiles; ++i) {
            random.fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
            const QString name = QStringLiteral("file%1.bmp").arg(i, 3, 10, QLatin1Char('0'));
            QFile file(source + u'/' + name);
            file.open(QIODevice::WriteOnly);
            file.write(data);
            names << name;
        }
        package = locations.skinsDir() + QStringLiteral("bench.skn");
        cBinary(locations).CreaSknAt(source, names, package, QStringLiteral("Bench"));
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void reportFailures(benchmark::State& state) {
    if (!fixture().reporter.failures.isEmpty())
        state.SkipWithError(fixture().reporter.failures.first().toUtf8().constData());
}

void BM_Pack(benchmark::State& state) {
    Fixture& f = fixture();
    const QString target = f.locations.skinsDir() + QStringLiteral("packed.skn");
    for (auto _ : state) {
        cBinary binary(f.locations);
        benchmark::DoNotOptimize(binary.CreaSknAt(f.source, f.names, target, QStringLiteral("B")));
    }
    state.SetBytesProcessed(state.iterations() * kTotal);
    reportFailures(state);
}

void BM_Unpack(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        cBinary binary(f.locations);
        benchmark::DoNotOptimize(binary.EstraiSkin(f.package));
    }
    state.SetBytesProcessed(state.iterations() * kTotal);
    reportFailures(state);
}

// The package copied as one file.
void BM_CopyPackage(benchmark::State& state) {
    Fixture& f = fixture();
    const QString target = f.root.path() + QStringLiteral("/copy.skn");
    for (auto _ : state) {
        QFile::remove(target);
        benchmark::DoNotOptimize(QFile::copy(f.package, target));
    }
    state.SetBytesProcessed(state.iterations() * kTotal);
}

// What packing moves, without the format or the safe save: 256 files read into one.
void BM_CopyFilesIntoOne(benchmark::State& state) {
    Fixture& f = fixture();
    const QString target = f.root.path() + QStringLiteral("/joined.bin");
    for (auto _ : state) {
        QFile out(target);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (const QString& name : f.names) {
            QFile in(f.source + u'/' + name);
            in.open(QIODevice::ReadOnly);
            out.write(in.readAll());
        }
    }
    state.SetBytesProcessed(state.iterations() * kTotal);
}

// What unpacking moves: one file read and written out as 256 files.
void BM_CopyOneIntoFiles(benchmark::State& state) {
    Fixture& f = fixture();
    const QString folder = f.root.path() + QStringLiteral("/split");
    QDir().mkpath(folder);
    for (auto _ : state) {
        QFile in(f.package);
        in.open(QIODevice::ReadOnly);
        for (const QString& name : f.names) {
            QFile out(folder + u'/' + name);
            out.open(QIODevice::WriteOnly | QIODevice::Truncate);
            out.write(in.read(kFileSize));
        }
    }
    state.SetBytesProcessed(state.iterations() * kTotal);
}

} // namespace

BENCHMARK(BM_Pack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Unpack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyPackage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyFilesIntoOne)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyOneIntoFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
