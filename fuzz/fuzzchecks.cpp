#include "fuzzchecks.h"

#include "bitmap/cbitmap.h"
#include "common/cp1252.h"
#include "common/errors.h"
#include "proplist/proplistmodel.h"
#include "skin/cskin.h"
#include "skin/skinschema.h"
#include "storage/cbinary.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QList>
#include <QSet>

#include <memory>

namespace fuzzchecks {

namespace {

// Enough to show in a failure message without flooding it.
QString firstErrors(const RecordingErrorReporter& errors) {
    return errors.texts().mid(0, 3).join(QStringLiteral(" | "));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Bitmap

QString checkBitmap(const QByteArray& data) {
    struct Request {
        qint32 width, height;
    };
    const Request requests[] = {{0, 0}, {17, 17}, {16, 16}};
    cBitmap::LoadResult first = cBitmap::LoadResult::Loaded;
    QImage at17;
    for (const Request& r : requests) {
        cBitmap bmp;
        const bool loaded = bmp.CreateFromData(data, r.width, r.height);
        const QString at = QStringLiteral(" at %1 x %2").arg(r.width).arg(r.height);
        if (loaded != bmp.isLoaded() || loaded != (bmp.lastResult() == cBitmap::LoadResult::Loaded))
            return QStringLiteral("result, object and last result disagree") + at;
        if (bmp.Width() != r.width || bmp.Height() != r.height)
            return QStringLiteral("the requested size was not kept") + at;
        if (&r == &requests[0])
            first = bmp.lastResult();
        else if (bmp.lastResult() != first)
            return QStringLiteral("the requested size changed the result") + at;
        if (!loaded) {
            if (!bmp.image().isNull())
                return QStringLiteral("a refused file left a picture") + at;
            continue;
        }
        const QImage& image = bmp.image();
        if (image.format() != QImage::Format_RGB32)
            return QStringLiteral("the picture is not RGB32") + at;
        const bool own = r.width == 0;
        if ((own && (image.width() <= 0 || image.height() <= 0 ||
                     qint64(image.width()) * image.height() > cBitmap::kMaxPixels)) ||
            (!own && image.size() != QSize(r.width, r.height)))
            return QStringLiteral("the picture has the wrong size") + at;
        if (r.width == 17)
            at17 = image;
    }
    if (!at17.isNull()) {
        // Pixels the file never wrote must not pick up whatever the memory held.
        cBitmap again;
        again.CreateFromData(data, 17, 17);
        if (again.image() != at17)
            return QStringLiteral("two loads of the same bytes differ");
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// skin.ini

namespace {

struct LoadedSkin {
    SkinRef skin;
    std::unique_ptr<PropListModel> list;
    int errors = 0;
    QString firstError;
};

constexpr qsizetype kLargestTextReadBack = 64 * 1024;

LoadedSkin loadSkin(const Locations& where, QIODevice* skinIni) {
    RecordingErrorReporter errors;
    ScopedErrorReporter scope(&errors);
    LoadedSkin out;
    out.skin = std::make_shared<cSkin>(where);
    out.skin->setSkinPath(where.workDir() + u'/');
    out.skin->LeggiParametri(skinIni);
    out.list = std::make_unique<PropListModel>();
    loadSkinSchema(*out.list, out.skin);
    out.errors = int(errors.entries.size());
    out.firstError = firstErrors(errors);
    return out;
}

LoadedSkin loadSkinText(const Locations& where, const QByteArray& text) {
    QByteArray bytes = text;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return loadSkin(where, &buffer);
}

QString schemaGaps(const PropListModel& list) {
    const auto categories = skinSchemaCategories();
    if (list.categoryCount() != int(categories.size()))
        return QStringLiteral("%1 categories instead of %2")
            .arg(list.categoryCount())
            .arg(categories.size());
    for (const SchemaItem& item : skinSchemaItems()) {
        int cat = 0;
        int index = 0;
        if (!list.findItem(QString::fromUtf8(item.key), &cat, &index))
            return QStringLiteral("item %1 is missing").arg(QString::fromUtf8(item.key));
        if (list.item(cat, index).Kind != item.kind)
            return QStringLiteral("item %1 has the wrong kind").arg(QString::fromUtf8(item.key));
    }
    return {};
}

QString unsafeFileToPack(const PropListModel& list) {
    const QStringList files = list.GetFilesList();
    if (files.value(0) != QLatin1String("skin.ini"))
        return QStringLiteral("skin.ini is not the first file to pack");
    QSet<QString> seen;
    for (const QString& name : files) {
        if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name == u"." ||
            name == u"..")
            return QStringLiteral("a file outside the working folder would be packed: ") + name;
        if (seen.contains(name.toLower()))
            return QStringLiteral("a file would be packed twice: ") + name;
        seen.insert(name.toLower());
    }
    return {};
}

} // namespace

QString checkSkinIni(const QByteArray& data, const Locations& sandbox) {
    if (!QDir().mkpath(sandbox.workDir()))
        return QStringLiteral("cannot create the working folder");
    const QString path = sandbox.workDir() + QStringLiteral("/skin.ini");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(data) != data.size())
            return QStringLiteral("cannot write skin.ini");
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read skin.ini");
    const LoadedSkin loaded = loadSkin(sandbox, &file);
    file.close();

    // Ready reports every number out of range in one message.
    if (loaded.errors > 1)
        return QStringLiteral("%1 errors reported: ").arg(loaded.errors) + loaded.firstError;
    if (QString gap = schemaGaps(*loaded.list); !gap.isEmpty())
        return gap;
    if (QString unsafe = unsafeFileToPack(*loaded.list); !unsafe.isEmpty())
        return unsafe;

    const QByteArray saved = loaded.list->parametersText();
    // A gradient of thousands of stops is saved above all the same, but reading it back twice
    // more would let such inputs take most of the fuzzer's time; a few hundred stops show the
    // same faults.
    if (saved.size() > kLargestTextReadBack)
        return {};
    const LoadedSkin reloaded = loadSkinText(sandbox, saved);
    if (reloaded.errors != 0)
        return QStringLiteral("what was saved reads back with errors: ") + reloaded.firstError;
    const QByteArray savedAgain = reloaded.list->parametersText();
    const LoadedSkin third = loadSkinText(sandbox, savedAgain);
    if (third.errors != 0)
        return QStringLiteral("what was saved twice reads back with errors: ") + third.firstError;
    if (third.list->parametersText() != savedAgain)
        return QStringLiteral("saving what was saved changes it");
    return {};
}

// ---------------------------------------------------------------------------------------------
// Package round trip

namespace {

// Beyond this many files a run only gets slower, not more interesting.
constexpr int kMaxFiles = 64;
// The longest file name most file systems take, in bytes of the local encoding.
constexpr qsizetype kMaxNameBytes = 255;

qsizetype localBytes(const QString& name) {
    return QFile::encodeName(name).size();
}

QString shortened(QString name, qsizetype room) {
    while (!name.isEmpty() && localBytes(name) > room)
        name.chop(1);
    return name;
}

QString acceptableName(const QByteArray& bytes, QSet<QString>* used) {
    QString name = decodeCp1252(bytes.left(kMaxNameBytes));
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == u'/' || c == u'\\' || c == u':')
            c = u'_';
    }
    // Dot-files are never packed.
    if (name.startsWith(u'.'))
        name[0] = u'_';
    name = shortened(name, kMaxNameBytes);
    if (name.isEmpty())
        name = QStringLiteral("f");
    QString unique = name;
    for (int n = 2; used->contains(unique); ++n) {
        const QString suffix = u'~' + QString::number(n);
        unique = shortened(name, kMaxNameBytes - suffix.size()) + suffix;
    }
    used->insert(unique);
    return unique;
}

struct PackFile {
    QString name;
    QByteArray contents;
};
struct PackInput {
    QString title;
    QList<PackFile> files;
};

PackInput packInputFrom(const QByteArray& data) {
    PackInput input;
    if (data.isEmpty())
        return input;
    const QList<QByteArray> parts = data.mid(1).split(data[0]);
    input.title = decodeCp1252(parts[0].left(cBinary::kMaxTextLength));
    QSet<QString> used;
    for (qsizetype i = 1; i < parts.size() && i <= kMaxFiles; ++i) {
        const QByteArray& part = parts[i];
        const qsizetype lf = part.indexOf('\n');
        PackFile file;
        file.name = acceptableName(lf < 0 ? part : part.left(lf), &used);
        if (lf >= 0)
            file.contents = part.mid(lf + 1);
        input.files << file;
    }
    return input;
}

} // namespace

QString checkPackRoundTrip(const QByteArray& data, const QString& scratch) {
    const PackInput input = packInputFrom(data);
    const QString source = scratch + QStringLiteral("/source");
    const QString unpacked = scratch + QStringLiteral("/unpacked");
    const QString package = scratch + QStringLiteral("/package.skn");
    // Unpacking goes into a folder that does not exist yet, so that nothing there is replaced.
    QDir(scratch).removeRecursively();
    if (!QDir().mkpath(source))
        return QStringLiteral("cannot create the source folder");
    QStringList names;
    for (const PackFile& file : input.files) {
        QFile out(source + u'/' + file.name);
        if (!out.open(QIODevice::WriteOnly) || out.write(file.contents) != file.contents.size())
            return QStringLiteral("cannot write the source file ") + file.name;
        names << file.name;
    }

    RecordingErrorReporter errors;
    ScopedErrorReporter scope(&errors);
    Locations locations;
    locations.programDir = scratch;
    locations.tempDir = scratch;
    cBinary binary(locations);
    if (!binary.CreaSknAt(source, names, package, input.title))
        return QStringLiteral("packing failed: ") + firstErrors(errors);
    if (binary.EstraiTitolo(package) != input.title)
        return QStringLiteral("the title changed");

    QList<cBinary::Voce> voci;
    if (binary.ElencaVoci(package, &voci) != cBinary::Esito::Completo)
        return QStringLiteral("listing failed: ") + firstErrors(errors);
    if (voci.size() != input.files.size())
        return QStringLiteral("%1 entries listed instead of %2")
            .arg(voci.size())
            .arg(input.files.size());
    for (qsizetype i = 0; i < voci.size(); ++i) {
        if (voci[i].nome != input.files[i].name ||
            voci[i].lunghezza != input.files[i].contents.size())
            return QStringLiteral("entry %1 listed as %2").arg(i).arg(voci[i].nome);
    }

    if (binary.EstraiSkinIn(package, unpacked) != cBinary::Esito::Completo)
        return QStringLiteral("unpacking failed: ") + firstErrors(errors);
    QStringList found = QDir(unpacked).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                 QDir::NoDotAndDotDot);
    found.sort();
    QStringList expected = names;
    expected.sort();
    if (found != expected)
        return QStringLiteral("unpacked %1 entries instead of %2")
            .arg(found.size())
            .arg(expected.size());
    for (const PackFile& file : input.files) {
        QFile in(unpacked + u'/' + file.name);
        if (!in.open(QIODevice::ReadOnly) || in.readAll() != file.contents)
            return QStringLiteral("the contents of %1 changed").arg(file.name);
    }
    if (!errors.entries.isEmpty())
        return QStringLiteral("errors reported: ") + firstErrors(errors);
    QDir(scratch).removeRecursively();
    return {};
}

} // namespace fuzzchecks
