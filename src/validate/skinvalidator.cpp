#include "validate/skinvalidator.h"

#include "bitmap/cbitmap.h"
#include "common/cp1252.h"
#include "common/errors.h"
#include "common/numbers.h"
#include "skin/gradientkeys.h"
#include "skin/skinschema.h"
#include "storage/cbinary.h"
#include "validate/wholenumber.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace {

using Severity = SkinProblem::Severity;

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(SkinValidator)
};

constexpr int kPictureSide = 17;
constexpr double kMinContrast = 3.0;
constexpr int kMaxStops = std::numeric_limits<qint16>::max();

const QString kTitleKey = QStringLiteral("Title");
const QString kUseMasksKey = QStringLiteral("UseMasks");
const QString kCreditsKey = QStringLiteral("credits");
const QString kSkinIni = QStringLiteral("skin.ini");
const QString kPressedPrefix = QStringLiteral("p_");

// What each number can mean to the client. It may accept more, but draws nothing sensible with it.
struct MeaningfulRange {
    const char* key;
    int low;
    int high;
};
constexpr MeaningfulRange kRanges[] = {
    {"Caption_Height", 1, 64}, {"Border_Width", 0, 8}, {"Scroller_Transp", 0, 100},
    {"BorderStyle", 0, 5},     {"SpostX", -8, 8},      {"SpostY", -8, 8},
};

// Which colour the client draws as text on which.
struct ContrastPair {
    const char* text;
    const char* back;
};
constexpr ContrastPair kContrastPairs[] = {
    {"Menu_Text", "Menu_Back"},         {"Menu_Text_Sel", "Menu_Back_Sel"},
    {"Button_Text", "Button_Up"},       {"Button_Text", "Button_Down"},
    {"Label_Text", "Label_Back1"},      {"Label_Text", "Label_Back2"},
    {"ListView_Text", "ListView_Back"}, {"ListView_Text", "ListView_Sel"},
};
// The caption's text lies on every part of the caption's gradient.
const QString kCaptionTextKey = QStringLiteral("Capt_Text");
const QString kCaptionKey = QStringLiteral("Capt");

QString quoted(const QString& text) {
    //: Quotation marks around a name or value in a problem's message.
    return Tr::tr("«%1»").arg(text);
}

bool endsWithBmp(const QString& key) {
    return key.right(4).toLower() == QLatin1String(".bmp");
}

bool truthOf(const QVariant& value) {
    return value.typeId() == QMetaType::Bool ? value.toBool() : readNumber(value) != 0;
}

// Relative luminance of a 0x00BBGGRR colour, as WCAG defines it for sRGB.
double luminance(qint32 colour) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour & 255) + 0.7152 * channel((colour >> 8) & 255) +
           0.0722 * channel((colour >> 16) & 255);
}

double contrastRatio(qint32 a, qint32 b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Two decimals cut, not rounded: 2.996 must not read as the 3:1 it misses.
QString ratioText(double ratio) {
    //: The decimal separator of a contrast ratio such as "2,50:1"; one character.
    const QString separator = Tr::tr(",", "decimal separator");
    return QString::number(std::floor(ratio * 100) / 100, 'f', 2)
        .replace(u'.', separator.isEmpty() ? QChar(u',') : separator.front());
}

int editDistance(const QString& a, const QString& b) {
    QList<int> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + cost});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// "la tappa 3", "le tappe 3, 4": a gradient of thousands of stops names a few of them.
QString stopsText(const QList<int>& stops) {
    constexpr int kShown = 5;
    QStringList parts;
    for (qsizetype i = 0; i < stops.size() && i < kShown; ++i)
        parts << QString::number(stops[i]);
    const QString shown = parts.join(QStringLiteral(", "));
    const QString text =
        stops.size() == 1 ? Tr::tr("la tappa %1").arg(shown) : Tr::tr("le tappe %1").arg(shown);
    if (stops.size() <= kShown)
        return text;
    //: %1 is "le tappe 1, 2, 3, 4, 5", %2 how many more stops there are.
    return Tr::tr("%1 e altre %2").arg(text, QString::number(stops.size() - kShown));
}

class Checker {
public:
    explicit Checker(const SkinDocument& document) : m_doc(document) {
        const SkinRef& skin = document.skin();
        if (!skin)
            return;
        for (const QString& key : skin->keys())
            m_keys.insert(key.toLower());
        if (!skin->SkinPath().isEmpty()) {
            const QStringList names =
                QDir(skin->SkinPath()).entryList(QDir::Files | QDir::NoSymLinks, QDir::Name);
            for (const QString& name : names)
                m_files.emplace(name.toLower(), name);
        }
        for (const QString& name : defaultSkinFiles(skin->locations()))
            m_defaultFiles.insert(name.toLower());
    }

    QList<SkinProblem> run() {
        if (!m_doc.skin())
            return {};
        checkTitle();
        checkPictures();
        for (const SchemaItem& item : skinSchemaItems()) {
            if (item.kind == KindNumber)
                checkNumber(item);
            else if (item.kind == KindGradient)
                checkGradient(item);
        }
        checkContrast();
        checkKeysOfSkinIni();
        checkUnusedFiles();
        return m_problems;
    }

private:
    void add(const char* code, Severity severity, const QString& key, const QString& message) {
        m_problems.append({QString::fromLatin1(code), severity, key, message});
    }

    bool hasKey(const QString& key) const { return m_keys.contains(key.toLower()); }

    // -- title -------------------------------------------------------------------------------

    void checkTitle() {
        const QString title = m_doc.value(kTitleKey).toString();
        if (title.trimmed().isEmpty())
            add("empty-title", Severity::Warning, kTitleKey,
                Tr::tr("Il titolo dello skin è vuoto"));
        const qsizetype length = encodeCp1252(title).size();
        if (length > cBinary::kMaxTextLength)
            add("title-too-long", Severity::Error, kTitleKey,
                Tr::tr("Il titolo è lungo %1 caratteri: il pacchetto ne può contenere "
                       "al massimo %2")
                    .arg(length)
                    .arg(cBinary::kMaxTextLength));
    }

    // -- pictures ----------------------------------------------------------------------------

    void checkPictures() {
        const bool useMasks = truthOf(m_doc.value(kUseMasksKey));
        for (const SchemaItem& item : skinSchemaItems()) {
            const QString key = QString::fromUtf8(item.key);
            if (item.kind == KindFile) {
                const QString name = m_doc.value(key).toString();
                if (!name.isEmpty())
                    checkPicture(key, name, pictureWord(), false);
            } else if (item.kind == KindImage) {
                // A picture whose key is a file name is that file; an empty name is one switched
                // off, or one the skin leaves to the client.
                const QString name = endsWithBmp(key) ? key : m_doc.value(key).toString();
                if (!name.isEmpty())
                    checkPicture(key, name, pictureWord(), true);
            } else if (item.kind == KindMask) {
                const QString name = m_doc.value(key).toString();
                if (name.isEmpty())
                    continue;
                checkPicture(key, name, Tr::tr("La maschera"), true);
                checkPressedMask(key, name, useMasks);
            }
        }
    }

    //: The subject of the messages about a picture: %1 of "%1 %2 non è una bitmap leggibile".
    static QString pictureWord() { return Tr::tr("L'immagine"); }

    // A file named by `key`: in the skin it must be a bitmap that can be read (of 17 x 17 when
    // `fixedSide`); a file the skin lacks must come from the default skin. `what` is the
    // subject of the message: "L'immagine", "La maschera", "La maschera premuta".
    void checkPicture(const QString& key, const QString& name, const QString& what,
                      bool fixedSide) {
        const auto found = m_files.find(name.toLower());
        if (found == m_files.end()) {
            if (!m_defaultFiles.contains(name.toLower()))
                add("missing-picture", Severity::Error, key,
                    Tr::tr("%1 %2 non c'è né nello skin né nello skin predefinito")
                        .arg(what, quoted(name)));
            return;
        }
        const std::optional<QByteArray> bytes = m_doc.fileBytes(found->second);
        cBitmap bitmap;
        if (!bytes || !bitmap.CreateFromData(*bytes, 0, 0)) {
            add("unreadable-picture", Severity::Error, key,
                Tr::tr("%1 %2 non è una bitmap leggibile").arg(what, quoted(name)));
            return;
        }
        const QSize size = bitmap.image().size();
        if (fixedSide && size != QSize(kPictureSide, kPictureSide))
            add("picture-size", Severity::Warning, key,
                Tr::tr("%1 %2 è di %3 × %4 pixel invece di %5 × %5")
                    .arg(what, quoted(name), QString::number(size.width()),
                         QString::number(size.height()), QString::number(kPictureSide)));
    }

    // The pressed twin is looked for only while masks are on; the client pairs the skin's mask
    // with whichever twin it finds, the default skin's too.
    void checkPressedMask(const QString& key, const QString& name, bool useMasks) {
        const QString twin = kPressedPrefix + name;
        const bool inSkin = m_files.count(twin.toLower()) > 0;
        if (inSkin || useMasks)
            checkPicture(key, twin, Tr::tr("La maschera premuta"), true);
        if (useMasks && !inSkin && m_files.count(name.toLower()) > 0 &&
            m_defaultFiles.contains(twin.toLower()))
            add("missing-pressed-mask", Severity::Warning, key,
                Tr::tr("Lo skin ha la maschera %1 ma non quella premuta %2: il client "
                       "prenderebbe quella dello skin predefinito")
                    .arg(quoted(name), quoted(twin)));
    }

    // -- numbers -----------------------------------------------------------------------------

    void checkNumber(const SchemaItem& item) {
        const QString key = QString::fromUtf8(item.key);
        const QVariant value = m_doc.value(key);
        if (item.advOpt && readNumber(value) == -1)
            return;                  // switched off
        std::optional<qint64> whole; // set for a whole number, whether 16 bits hold it or not
        QString shown;
        if (isNumericValue(value) || value.typeId() == QMetaType::Bool) {
            const double number = readNumber(value);
            shown = QString::number(number, 'g', 15);
            if (std::isfinite(number) && number == std::floor(number) && std::abs(number) < 1e15)
                whole = qint64(number);
        } else {
            shown = value.toString();
            static const QRegularExpression kDigits(QStringLiteral("^ *[+-]?[0-9]+ *$"));
            if (const std::optional<qint16> number = wholeNumber(shown))
                whole = *number;
            else if (kDigits.match(shown).hasMatch())
                whole = std::numeric_limits<qint64>::max();
        }
        if (!whole) {
            add("invalid-number", Severity::Error, key,
                Tr::tr("%1 non è un numero intero").arg(quoted(shown)));
            return;
        }
        if (*whole < std::numeric_limits<qint16>::min() ||
            *whole > std::numeric_limits<qint16>::max()) {
            add("invalid-number", Severity::Error, key,
                Tr::tr("%1 è fuori dall'intervallo da -32768 a 32767").arg(shown.trimmed()));
            return;
        }
        for (const MeaningfulRange& range : kRanges) {
            if (key != QLatin1String(range.key))
                continue;
            if (*whole < range.low || *whole > range.high)
                add("number-range", Severity::Warning, key,
                    Tr::tr("%1 è fuori dai valori che hanno senso, da %2 a %3")
                        .arg(*whole)
                        .arg(range.low)
                        .arg(range.high));
        }
    }

    // -- gradients ---------------------------------------------------------------------------

    // The stops 1..count a switched-on gradient declares: those present, in order.
    struct Stops {
        int count = 0;
        QList<int> present;
        QList<int> missing;
    };

    Stops stopsOf(const QString& key) const {
        Stops stops;
        const double count = readNumber(m_doc.value(gradientkeys::countKey(key)));
        if (!(count > 0))
            return stops; // switched off
        stops.count = toInt32Clamped(count);
        if (stops.count > kMaxStops)
            return stops; // nothing reads that far
        for (int i = 1; i <= stops.count; ++i) {
            if (hasKey(gradientkeys::colourKey(key, i)) &&
                hasKey(gradientkeys::positionKey(key, i)))
                stops.present << i;
            else
                stops.missing << i;
        }
        return stops;
    }

    void checkGradient(const SchemaItem& item) {
        const QString key = QString::fromUtf8(item.key);
        const Stops stops = stopsOf(key);
        if (stops.count == 0)
            return;
        if (stops.count > kMaxStops)
            add("gradient-stops", Severity::Error, key,
                Tr::tr("La sfumatura dichiara %1 tappe, più delle %2 che si possono "
                       "leggere")
                    .arg(stops.count)
                    .arg(kMaxStops));
        else if (stops.count < 2)
            add("gradient-stops", Severity::Error, key,
                Tr::tr("La sfumatura ha una sola tappa: ne servono almeno due"));
        else if (!stops.missing.isEmpty())
            add("gradient-stops", Severity::Error, key,
                //: %2 is "la tappa 3" or "le tappe 3, 4".
                Tr::tr("La sfumatura dichiara %1 tappe, ma non ha %2")
                    .arg(stops.count)
                    .arg(stopsText(stops.missing)));

        QList<int> outside;
        int previous = 0;
        double previousPosition = 0;
        QString disorder;
        for (int i : stops.present) {
            const double position = readNumber(m_doc.value(gradientkeys::positionKey(key, i)));
            if (position < 0 || position > 100)
                outside << i;
            if (previous != 0 && position < previousPosition && disorder.isEmpty())
                disorder = Tr::tr("la tappa %1 (a %2) viene prima della tappa %3 (a %4)")
                               .arg(i)
                               .arg(position)
                               .arg(previous)
                               .arg(previousPosition);
            previous = i;
            previousPosition = position;
        }
        if (!outside.isEmpty())
            add("gradient-positions", Severity::Warning, key,
                //: %1 is "la tappa 3" or "le tappe 3, 4".
                Tr::tr("Per %1 la posizione è fuori dall'intervallo da 0 a 100")
                    .arg(stopsText(outside)));
        if (!disorder.isEmpty())
            add("gradient-positions", Severity::Warning, key,
                Tr::tr("Le tappe non sono in ordine: %1").arg(disorder));
    }

    // -- contrast ----------------------------------------------------------------------------

    // A colour that is set (not -1), as 0x00BBGGRR.
    std::optional<qint32> colourOf(const QString& key) const {
        const double value = readNumber(m_doc.value(key));
        if (value == -1)
            return std::nullopt;
        return toInt32Clamped(value) & 0xFFFFFF;
    }

    // `stop` is the stop of a gradient background, 0 for a plain colour.
    void checkPair(const QString& textKey, qint32 text, const QString& backKey, qint32 back,
                   int stop) {
        const double ratio = contrastRatio(text, back);
        if (ratio >= kMinContrast)
            return;
        add("low-contrast", Severity::Warning, textKey,
            stop == 0
                ? Tr::tr("Il testo ha un contrasto di %1:1 su %2, sotto il minimo di 3:1")
                      .arg(ratioText(ratio), quoted(backKey))
                : Tr::tr("Il testo ha un contrasto di %1:1 su %2 (tappa %3), sotto il minimo di "
                         "3:1")
                      .arg(ratioText(ratio), quoted(backKey), QString::number(stop)));
    }

    void checkContrast() {
        for (const ContrastPair& pair : kContrastPairs) {
            const QString textKey = QString::fromLatin1(pair.text);
            const QString backKey = QString::fromLatin1(pair.back);
            const std::optional<qint32> text = colourOf(textKey);
            const std::optional<qint32> back = colourOf(backKey);
            if (text && back)
                checkPair(textKey, *text, backKey, *back, 0);
        }
        const std::optional<qint32> caption = colourOf(kCaptionTextKey);
        if (!caption)
            return;
        for (int i : stopsOf(kCaptionKey).present) {
            const qint32 stop =
                toInt32Clamped(readNumber(m_doc.value(gradientkeys::colourKey(kCaptionKey, i)))) &
                0xFFFFFF;
            checkPair(kCaptionTextKey, *caption, kCaptionKey, stop, i);
        }
    }

    // -- skin.ini and the package ------------------------------------------------------------

    static bool isKnownKey(const QString& key) {
        static const QSet<QString> known = [] {
            QSet<QString> keys{kCreditsKey};
            for (const SchemaItem& item : skinSchemaItems())
                keys.insert(QString::fromUtf8(item.key).toLower());
            return keys;
        }();
        static const QRegularExpression gradientEntry = [] {
            QStringList names;
            for (const SchemaItem& item : skinSchemaItems()) {
                if (item.kind == KindGradient)
                    names << QRegularExpression::escape(QString::fromUtf8(item.key));
            }
            return QRegularExpression(
                QStringLiteral("^(%1)(_count|_pos<[0-9]+>|<[0-9]+>)$").arg(names.join(u'|')),
                QRegularExpression::CaseInsensitiveOption);
        }();
        return known.contains(key.toLower()) || gradientEntry.match(key).hasMatch();
    }

    static QString closestKnownKey(const QString& key) {
        QString best;
        int bestDistance = std::numeric_limits<int>::max();
        const QString lower = key.toLower();
        const auto consider = [&](const QString& candidate) {
            const int distance = editDistance(lower, candidate.toLower());
            if (distance < bestDistance) {
                bestDistance = distance;
                best = candidate;
            }
        };
        for (const SchemaItem& item : skinSchemaItems()) {
            const QString name = QString::fromUtf8(item.key);
            consider(item.kind == KindGradient ? gradientkeys::countKey(name) : name);
        }
        return best;
    }

    // The keys as the skin's own skin.ini writes them, read by the same rules as opening it.
    void checkKeysOfSkinIni() {
        std::optional<QByteArray> bytes = m_doc.fileBytes(kSkinIni);
        if (!bytes)
            return;
        QBuffer buffer(&*bytes);
        buffer.open(QIODevice::ReadOnly);
        cSkin written{Locations{}};
        written.LeggiParametri(&buffer);
        for (const QString& key : written.keys()) {
            if (!isKnownKey(key))
                add("unknown-key", Severity::Warning, key,
                    Tr::tr("Chiave sconosciuta in skin.ini: forse %1?")
                        .arg(quoted(closestKnownKey(key))));
        }
    }

    // Saving packs only what the settings name; the rest only weighs the package down.
    void checkUnusedFiles() {
        QSet<QString> named{kSkinIni};
        for (const SchemaItem& item : skinSchemaItems()) {
            const QString key = QString::fromUtf8(item.key);
            if (item.kind == KindImage && endsWithBmp(key)) {
                named.insert(key.toLower());
            } else if (item.kind == KindImage || item.kind == KindFile) {
                named.insert(m_doc.value(key).toString().toLower());
            } else if (item.kind == KindMask) {
                const QString name = m_doc.value(key).toString().toLower();
                named.insert(name);
                named.insert(kPressedPrefix + name);
            }
        }
        for (const auto& [lower, name] : m_files) {
            if (!named.contains(lower))
                add("unused-file", Severity::Warning, name,
                    Tr::tr("Nessuna impostazione usa il file %1: nel pacchetto è solo "
                           "peso")
                        .arg(quoted(name)));
        }
    }

    const SkinDocument& m_doc;
    QSet<QString> m_keys;               // the document's keys, lower-cased
    std::map<QString, QString> m_files; // the skin's files: lower-cased name -> name
    QSet<QString> m_defaultFiles;       // lower-cased
    QList<SkinProblem> m_problems;
};

} // namespace

QString severityWord(SkinProblem::Severity severity) {
    return severity == Severity::Error ? QStringLiteral("errore") : QStringLiteral("avviso");
}

QList<SkinProblem> validateSkin(const SkinDocument& document) {
    return Checker(document).run();
}

QStringList defaultSkinFiles(const Locations& locations) {
    const QString path = locations.skinsDir() + locations.defaultSkinName();
    if (!QFileInfo(path).isFile())
        return {};
    // Opening the skin said already what is wrong with the default package, if anything.
    RecordingErrorReporter quiet;
    ScopedErrorReporter scope(&quiet);
    cBinary binary(locations);
    QList<cBinary::Voce> entries;
    binary.ElencaVoci(path, &entries);
    QStringList names;
    names.reserve(entries.size());
    for (const cBinary::Voce& entry : entries)
        names << entry.nome;
    return names;
}
