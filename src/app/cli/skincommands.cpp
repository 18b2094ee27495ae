// settings and resave: a skin loaded and saved through the editor's own document, schema and
// property list, in private folders so that neither the user's working folder nor the skins
// folder beside the program is touched.
#include "app/cli/commands.h"
#include "app/cli/privateskin.h"

#include "common/cp1252.h"
#include "proplist/proplistmodel.h"
#include "skin/skinschema.h"



#include <memory>

namespace {

const char kSettingsUsage[] =
    QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO [--default PREDEFINITO]");
const char kResaveUsage[] =
    QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO [--default PREDEFINITO] [--credits TESTO]");

struct Options {
    QString package;
    bool hasDefault = false;
    QString defaultPackage;
    bool hasCredits = false;
    QString credits;
};

bool parseOptions(const QStringList& args, bool allowCredits, Options* options) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--default") && i + 1 < args.size() && !options->hasDefault) {
            options->hasDefault = true;
            options->defaultPackage = args[++i];
        } else if (allowCredits && arg == QLatin1String("--credits") && i + 1 < args.size() &&
                   !options->hasCredits) {
            options->hasCredits = true;
            options->credits = args[++i];
        } else if (!arg.startsWith(QLatin1String("--")) && options->package.isEmpty()) {
            options->package = arg;
        } else {
            return false;
        }
    }
    return !options->package.isEmpty();
}

// A skin opened as the editor opens one, in a program folder and a temporary folder of its own.
class LoadedSkin {
public:
    bool open(const Options& options) {
        if (!m_folders.prepare(options.package,
                               options.hasDefault ? options.defaultPackage : QString()))
            return false;
        // Opened as the editor opens a skin: the document reads it, the list shows it.
        m_document = std::make_shared<SkinDocument>(nullptr);
        const SkinDocument::Outcome opened =
            m_document->open(m_folders.locations(), m_folders.name());
        if (!opened.error.isEmpty())
            printError(opened.error);
        m_skin = m_document->skin();
        if (!opened.ok)
            return false;
        m_list.setDocument(m_document);
        loadSkinSchema(m_list, m_skin);
        return !errorReported();
    }

    SkinRef& skin() { return m_skin; }
    SkinDocument& document() { return *m_document; }
    PropListModel& list() { return m_list; }

private:
    PrivateSkin m_folders;
    SkinRef m_skin;
    std::shared_ptr<SkinDocument> m_document;
    PropListModel m_list;
};

QString valueText(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value.toString();
}

// The credits as the main window gets them from the document.
QString documentCredits(const cSkin& skin) {
    return skin.RetrInfo(QStringLiteral("Credits")).toString();
}

} // namespace

int commandSettings(const QStringList& args) {
    Options options;
    if (!parseOptions(args, false, &options))
        return usageError("settings", kSettingsUsage);
    LoadedSkin loaded;
    const bool ok = loaded.open(options);
    if (!loaded.skin())
        return 1;
    // What was read is printed also after a reported problem (a number out of range loads as 0),
    // but the exit status tells the script that something was wrong.
    const PropListModel& list = loaded.list();
    for (int c = 1; c <= list.categoryCount(); ++c) {
        for (int i = 1; i <= list.itemCount(c); ++i) {
            const tItem& it = list.item(c, i);
            printLine(escaped(it.ItemKey) + u'\t' + QString::number(it.Kind) + u'\t' +
                      (it.IsSet ? QStringLiteral("set") : QStringLiteral("unset")) + u'\t' +
                      escaped(valueText(it.ItemValue)));
        }
    }
    QString credits = documentCredits(*loaded.skin());
    // A line of the credits ends in CR LF, shown as a single "\n" as a line typed in a shell.
    credits.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    printLine(QStringLiteral("credits\t") + escaped(credits));
    return ok ? 0 : 1;
}

int commandResave(const QStringList& args) {
    Options options;
    if (!parseOptions(args, true, &options))
        return usageError("resave", kResaveUsage);
    LoadedSkin loaded;
    // A skin that did not load cleanly is not written back: saving would make the loss final.
    if (!loaded.open(options))
        return 1;
    PropListModel& list = loaded.list();
    const cSkin& skin = *loaded.skin();

    QString credits = options.hasCredits ? options.credits : documentCredits(skin);
    if (options.hasCredits) {
        // A line break typed in a shell is a bare LF; the file's lines end in CR LF.
        credits.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        credits.replace(u'\n', QStringLiteral("\r\n"));
    }

    SkinDocument& document = loaded.document();
    if (options.hasCredits)
        document.setCredits(credits);
    // The editor's own save: skin.ini with the credits, then the package, written whole.
    const SkinDocument::Outcome saved =
        document.save(list.parametersText(), list.GetFilesList(),
                      list.RetrData(QStringLiteral("Title")).toString(), options.package);
    if (!saved.error.isEmpty())
        printError(saved.error);
    return saved.ok ? 0 : 1;
}
