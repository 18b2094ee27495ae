#include "colourpalettes.h"

#include "common/hexcolour.h"
#include "common/numbers.h"
#include "skin/gradientkeys.h"
#include "skin/skinschema.h"

#include <QSettings>
#include <QStringList>
#include <optional>

namespace {

// A stored value as the colour it paints, or nothing for a value the skin does not set: a key it
// lacks, -1 ("not set"), or a number no colour is made of.
std::optional<Colour> storedColour(const QVariant& value) {
    if (!value.isValid() || value.toString().trimmed().isEmpty())
        return std::nullopt;
    const std::optional<qint32> v = toInt32(readNumber(value));
    if (!v || *v < 0)
        return std::nullopt;
    return *v & 0xFFFFFF; // only the three low bytes reach the screen
}

QSettings userSettings() {
    return QSettings(QStringLiteral("Tessellary"), QStringLiteral("Tessellary"));
}

const QString kRecentKey = QStringLiteral("Selezionatore/Recenti");

} // namespace

QList<Colour> skinColours(const cSkin& skin) {
    QList<Colour> colours;
    const auto add = [&colours](const QVariant& value) {
        const std::optional<Colour> c = storedColour(value);
        if (c && !colours.contains(*c))
            colours.append(*c);
    };
    for (const SchemaItem& item : skinSchemaItems()) {
        if (item.kind == KindColor)
            add(skin.RetrInfo(QString::fromUtf8(item.key)));
    }
    for (const SchemaItem& item : skinSchemaItems()) {
        if (item.kind != KindGradient)
            continue;
        const QString key = QString::fromUtf8(item.key);
        // Below two stops the gradient dialog shows its default instead of what is stored.
        const std::optional<qint16> n =
            toInt16(readNumber(skin.RetrInfo(gradientkeys::countKey(key))));
        for (int i = 1; n && *n >= 2 && i <= *n; ++i)
            add(skin.RetrInfo(gradientkeys::colourKey(key, i)));
    }
    return colours;
}

namespace RecentColours {

QList<Colour> load() {
    QList<Colour> colours;
    const QStringList stored = userSettings().value(kRecentKey).toStringList();
    for (const QString& text : stored) {
        const std::optional<Colour> c = colourFromHex(text);
        if (c && !colours.contains(*c) && colours.size() < kLimit)
            colours.append(*c);
    }
    return colours;
}

void remember(Colour c) {
    c &= 0xFFFFFF;
    QList<Colour> colours = load();
    colours.removeAll(c);
    colours.prepend(c);
    QStringList texts;
    for (qsizetype i = 0; i < colours.size() && i < kLimit; ++i)
        texts << colourToHex(colours[i]);
    QSettings settings = userSettings();
    settings.setValue(kRecentKey, texts);
}

} // namespace RecentColours
