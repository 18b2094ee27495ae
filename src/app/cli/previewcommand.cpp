// preview: the sample client window of a skin as a PNG, and the map of the setting each part of
// it shows, for skin authors' scripts and the README. The skin is opened as the editor opens it,
// in private folders, and painted off screen: no display is needed.
#include "app/cli/commands.h"
#include "app/cli/privateskin.h"

#include "preview/previewrenderer.h"
#include "proplist/proplistmodel.h"
#include "skin/skinschema.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QSaveFile>

#include <memory>

namespace {

const char kUsage[] =
    QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO OUTPUT.png [--default PREDEFINITO] [--size "
                                       "LxA] [--scale N] [--map MAPPA.json]");

constexpr int kMinSide = 16;
constexpr int kMaxSide = 8192;
constexpr int kMaxScale = 8;
constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;

struct Options {
    QString package;
    QString output;
    std::optional<QString> defaultPackage;
    std::optional<QString> map;
    std::optional<QString> size;
    std::optional<QString> scale;
};

bool parseOptions(const QStringList& args, Options* options) {
    const auto take = [&args](qsizetype& i, std::optional<QString>* into) {
        if (into->has_value() || i + 1 >= args.size())
            return false;
        *into = args[++i];
        return true;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        bool ok = true;
        if (arg == QLatin1String("--default"))
            ok = take(i, &options->defaultPackage);
        else if (arg == QLatin1String("--map"))
            ok = take(i, &options->map);
        else if (arg == QLatin1String("--size"))
            ok = take(i, &options->size);
        else if (arg == QLatin1String("--scale"))
            ok = take(i, &options->scale);
        else if (arg.startsWith(QLatin1String("--")))
            ok = false;
        else if (options->package.isEmpty())
            options->package = arg;
        else if (options->output.isEmpty())
            options->output = arg;
        else
            ok = false;
        if (!ok)
            return false;
    }
    return !options->output.isEmpty();
}

std::optional<QSize> parseSize(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,5})[xX]([0-9]{1,5})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    if (size.width() < kMinSide || size.height() < kMinSide || size.width() > kMaxSide ||
        size.height() > kMaxSide)
        return std::nullopt;
    return size;
}

std::optional<int> parseScale(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[0-9]{1,2}$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    const int n = text.toInt();
    if (n < 1 || n > kMaxScale)
        return std::nullopt;
    return n;
}

// Written whole or not at all: a script never finds half an image. `failure` takes the path as
// %1 and the reason as %2.
bool writeWhole(const QString& path, const QByteArray& bytes, const QString& failure) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        printError(failure.arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int commandPreview(const QStringList& args) {
    Options options;
    if (!parseOptions(args, &options))
        return usageError("preview", kUsage);
    QSize size = PreviewRenderer::kDefaultSize;
    if (options.size) {
        const std::optional<QSize> parsed = parseSize(*options.size);
        if (!parsed) {
            printError(
                TessellarySkn::tr("Dimensione non valida: %1 (serve LARGHEZZAxALTEZZA, "
                                  "da %2 a %3 pixel per lato)")
                    .arg(*options.size, QString::number(kMinSide), QString::number(kMaxSide)));
            return 1;
        }
        size = *parsed;
    }
    int scale = 1;
    if (options.scale) {
        const std::optional<int> parsed = parseScale(*options.scale);
        if (!parsed) {
            printError(TessellarySkn::tr("Scala non valida: %1 (serve un intero da 1 a %2)")
                           .arg(*options.scale, QString::number(kMaxScale)));
            return 1;
        }
        scale = *parsed;
    }
    if (qint64(size.width()) * scale * size.height() * scale > kMaxPixels) {
        printError(
            TessellarySkn::tr("Immagine troppo grande: %1 x %2 pixel (al massimo %3 milioni)")
                .arg(size.width() * scale)
                .arg(size.height() * scale)
                .arg(kMaxPixels / (1024 * 1024)));
        return 1;
    }

    PrivateSkin folders;
    if (!folders.prepare(options.package, options.defaultPackage.value_or(QString())))
        return 1;

    const auto document = std::make_shared<SkinDocument>(nullptr);
    const SkinDocument::Outcome opened = document->open(folders.locations(), folders.name());
    if (!opened.error.isEmpty())
        printError(opened.error);
    if (!opened.ok || !document->skin())
        return 1;
    // Read through the list, as the editor shows it: a number out of range is noted and drawn
    // as the list holds it.
    PropListModel list;
    list.setDocument(document);
    SkinRef skin = document->skin();
    loadSkinSchema(list, skin);

    PreviewRenderer renderer;
    PreviewMap map;
    const QImage image = renderer.renderImage(*document, size, scale, &map);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        printError(TessellarySkn::tr("Impossibile disegnare l'anteprima"));
        return 1;
    }
    if (!writeWhole(options.output, png,
                    TessellarySkn::tr("Impossibile scrivere l'immagine %1: %2")))
        return 1;
    if (options.map && !writeWhole(*options.map, previewMapJson(map, scale),
                                   TessellarySkn::tr("Impossibile scrivere la mappa %1: %2")))
        return 1;
    return 0;
}
