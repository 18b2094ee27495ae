// Builds a bundled skin package from its sources: the skin's skin.ini, the text pictures it
// names, and an optional theme of named colours. Run by the build; not shipped.
//
//   tess-skingen SKIN_FOLDER PICTURES_FOLDER OUTPUT_PACKAGE [PREVIEW_FOLDER]
//
// With PREVIEW_FOLDER every picture is also written there as a PNG enlarged 8 times, for people
// reviewing the drawings.
//
// A picture source ("name.pic" for the bitmap "name.bmp") is text:
//   - lines starting with '#' are comments;
//   - "X = colour" lines give the colour of the character X, where the colour is "r,g,b", a
//     colour key of the skin's skin.ini (such as MaskColor or Button_Up) or a name of the skin's
//     theme.txt ("name = r,g,b" lines);
//   - then exactly 17 rows of 17 characters, one per pixel.
// Pictures are written as 24-bit uncompressed bitmaps. The package holds skin.ini and every file
// the property list would pack for it, in the same order.

#include "common/colour.h"
#include "common/errors.h"
#include "common/numbers.h"
#include "proplist/proplistmodel.h"
#include "skin/skinschema.h"
#include "storage/cbinary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QImageWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kSide = 17;

class Failure {
public:
    explicit Failure(QString text) : text(std::move(text)) {}
    QString text;
};

[[noreturn]] void fail(const QString& text) {
    throw Failure(text);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read ") + path);
    return f.readAll();
}

std::optional<QRgb> parseRgb(const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 3)
        return std::nullopt;
    int c[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        c[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || c[i] < 0 || c[i] > 255)
            return std::nullopt;
    }
    return qRgb(c[0], c[1], c[2]);
}

QHash<QString, QRgb> readTheme(const QString& path) {
    QHash<QString, QRgb> theme;
    if (!QFileInfo::exists(path))
        return theme;
    const QStringList lines = QString::fromUtf8(readAll(path)).split(u'\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        const std::optional<QRgb> rgb = eq > 0 ? parseRgb(line.mid(eq + 1)) : std::nullopt;
        if (!rgb)
            fail(QStringLiteral("%1:%2: expected name = r,g,b").arg(path).arg(n + 1));
        theme.insert(line.left(eq).trimmed(), *rgb);
    }
    return theme;
}

QImage readPicture(const QString& path, const QHash<QString, QRgb>& theme, const cSkin& skin,
                   const PropListModel& list) {
    static const QRegularExpression legendLine(QStringLiteral("^(\\S) = (.+)$"));
    QHash<QChar, QRgb> legend;
    QStringList rows;
    const QStringList lines = QString::fromUtf8(readAll(path)).split(u'\n');
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString where = QStringLiteral("%1:%2: ").arg(path).arg(n + 1);
        const QRegularExpressionMatch m = legendLine.match(line);
        if (m.hasMatch() && rows.isEmpty()) {
            const QString value = m.captured(2).trimmed();
            std::optional<QRgb> rgb = parseRgb(value);
            if (!rgb && theme.contains(value))
                rgb = theme.value(value);
            if (!rgb && list.RetrType(value) == KindColor && !list.RetrCaption(value).isEmpty())
                rgb = toQRgb(toInt32Clamped(readNumber(skin.RetrInfo(value))));
            if (!rgb)
                fail(where + QStringLiteral("unknown colour ") + value);
            legend.insert(m.captured(1).at(0), *rgb);
            continue;
        }
        if (line.size() != kSide)
            fail(where + QStringLiteral("a row has %1 characters").arg(kSide));
        rows << line;
    }
    if (rows.size() != kSide)
        fail(path + QStringLiteral(": %1 rows expected, %2 found").arg(kSide).arg(rows.size()));
    QImage image(kSide, kSide, QImage::Format_RGB32);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const QChar c = rows[y].at(x);
            if (!legend.contains(c))
                fail(path +
                     QStringLiteral(": row %1 uses '%2', which has no colour").arg(y + 1).arg(c));
            image.setPixel(x, y, legend.value(c));
        }
    }
    return image;
}

void writeBitmap(const QImage& image, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("cannot write ") + path);
    QImageWriter writer(&file, "BMP");
    if (!writer.write(image))
        fail(QStringLiteral("cannot write ") + path);
}

void build(const QString& skinFolder, const QString& pictures, const QString& output,
           const QString& preview) {
    QTemporaryDir staging;
    if (!staging.isValid())
        fail(QStringLiteral("no temporary folder"));
    const QString folder = staging.path() + u'/';
    if (!QFile::copy(skinFolder + QStringLiteral("/skin.ini"), folder + QStringLiteral("skin.ini")))
        fail(QStringLiteral("cannot copy ") + skinFolder + QStringLiteral("/skin.ini"));

    Locations nowhere;
    nowhere.programDir = staging.path();
    nowhere.tempDir = staging.path();
    auto skin = std::make_shared<cSkin>(nowhere);
    skin->setSkinPath(folder);
    QFile ini(folder + QStringLiteral("skin.ini"));
    if (!ini.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read skin.ini"));
    skin->LeggiParametri(&ini);
    ini.close();

    RecordingErrorReporter errors;
    ScopedErrorReporter scope(&errors);
    PropListModel list;
    loadSkinSchema(list, skin);
    if (!errors.entries.isEmpty())
        fail(errors.texts().join(u'\n'));

    const QHash<QString, QRgb> theme = readTheme(skinFolder + QStringLiteral("/theme.txt"));
    const QStringList files = list.GetFilesList();
    for (const QString& name : files) {
        if (name == QLatin1String("skin.ini"))
            continue;
        if (!name.endsWith(QLatin1String(".bmp")))
            fail(QStringLiteral("only bitmaps are built: ") + name);
        const QString source = pictures + u'/' + name.chopped(4) + QStringLiteral(".pic");
        const QImage image = readPicture(source, theme, *skin, list);
        writeBitmap(image, folder + name);
        if (!preview.isEmpty() &&
            !image.scaled(kSide * 8, kSide * 8).save(preview + u'/' + name.chopped(4) + ".png"))
            fail(QStringLiteral("cannot write the preview of ") + name);
    }

    cBinary binary(nowhere);
    if (!binary.CreaSknAt(folder, files, output, list.RetrData(QStringLiteral("Title")).toString()))
        fail(errors.texts().join(u'\n'));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 5) {
        std::fprintf(stderr, "usage: tess-skingen SKIN_FOLDER PICTURES_FOLDER OUTPUT_PACKAGE "
                             "[PREVIEW_FOLDER]\n");
        return 2;
    }
    try {
        build(args[1], args[2], args[3], args.value(4));
    } catch (const Failure& f) {
        std::fprintf(stderr, "tess-skingen: %s\n", qPrintable(f.text));
        return 1;
    }
    return 0;
}
