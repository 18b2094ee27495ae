#include "skin/skindocument.h"

#include "common/cp1252.h"
#include "common/errors.h"
#include "common/filenames.h"
#include "storage/cbinary.h"
#include "storage/safefolder.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoCommand>

#include <cerrno>
#include <limits>

namespace {

const QString kCreditsKey = QStringLiteral("Credits");

// Collects what the core reports during one operation, to hand it back instead of showing it.
class Collected {
public:
    Collected() : m_scope(&m_recorder) {}
    SkinDocument::Outcome outcome(bool ok) const {
        SkinDocument::Outcome out;
        out.ok = ok;
        out.error = m_recorder.texts().join(u'\n');
        return out;
    }

private:
    RecordingErrorReporter m_recorder;
    ScopedErrorReporter m_scope;
};

// The same value for the file: 5 typed in a dialog and "5" read from skin.ini are one value.
bool sameValue(const QVariant& a, const QVariant& b) {
    if (a.typeId() == b.typeId())
        return a == b;
    return a.toString() == b.toString() && a.isValid() == b.isValid();
}

QString notWrittenText(int err, const QString& path) {
    const ErrorCode code = errorCodeForErrno(err, ErrorCode::DeviceIO);
    return errorMessageText(int(code),
                            SkinDocument::tr("%1: impossibile scrivere %2")
                                .arg(errorDescription(code), QDir::toNativeSeparators(path)));
}

} // namespace

int SkinDocument::writeWorkingFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return ENOENT;
    // Replacing a file through a new one would also replace a read-only file; the user marked it
    // so on purpose (also for an administrator, whom the system would let through).
    if (info.exists() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)))
        return EACCES;
    // A new file renamed over the name: a link planted there is replaced, never written
    // through, and the old file stays whole until the new one is complete.
    return SafeFolder::writeFileAt(path, bytes);
}

QString SkinDocument::noWorkFolderText(const QString& what) const {
    const QString why = m_skin ? m_skin->workFolderRefusal() : QString();
    return errorMessageText(int(ErrorCode::PathNotFound),
                            why.isEmpty()
                                ? tr("Nessuna cartella di lavoro: %1").arg(what)
                                : tr("Nessuna cartella di lavoro (%1): %2").arg(why, what));
}

// One step of the history. The first redo, run by the stack as it takes the step, finds the
// files already written by apply(), which had to know whether they could be.
class SkinChangeCommand : public QUndoCommand {
public:
    using Files = QList<std::pair<QString, std::optional<QByteArray>>>;

    SkinChangeCommand(SkinDocument* doc, const SkinChange& change,
                      QList<std::pair<QString, QVariant>> valuesBefore, Files filesBefore)
        : m_doc(doc), m_editor(change.editor), m_valuesAfter(change.values),
          m_valuesBefore(std::move(valuesBefore)), m_filesBefore(std::move(filesBefore)) {
        setText(change.caption);
        for (const auto& [name, bytes] : change.files)
            m_filesAfter.append({name, bytes});
    }

    int id() const override { return m_editor != 0 && m_filesAfter.isEmpty() ? 1 : -1; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const SkinChangeCommand*>(other);
        if (next->m_editor != m_editor || !next->m_filesAfter.isEmpty() ||
            keysOf(next->m_valuesAfter) != keysOf(m_valuesAfter))
            return false;
        m_valuesAfter = next->m_valuesAfter;
        // Back where it started: the step changes nothing and leaves the history.
        bool same = true;
        for (qsizetype i = 0; i < m_valuesAfter.size() && same; ++i)
            same = sameValue(m_valuesAfter[i].second, m_valuesBefore[i].second);
        setObsolete(same);
        return true;
    }

    void redo() override {
        if (m_firstRedo)
            m_firstRedo = false;
        else
            putFiles(m_filesAfter);
        m_doc->setValues(m_valuesAfter);
        announce();
    }

    void undo() override {
        putFiles(m_filesBefore);
        m_doc->setValues(m_valuesBefore);
        announce();
    }

private:
    static QStringList keysOf(const QList<std::pair<QString, QVariant>>& values) {
        QStringList keys;
        for (const auto& entry : values)
            keys << entry.first.toLower();
        return keys;
    }

    void putFiles(const Files& files) {
        for (const auto& [name, bytes] : files) {
            if (m_doc->putFile(name, bytes) != 0)
                Q_EMIT m_doc->problem(
                    SkinDocument::tr("Impossibile ripristinare l'immagine \"%1\": la cartella "
                                     "di lavoro non è scrivibile o il disco è pieno.")
                        .arg(name));
        }
    }

    void announce() {
        QStringList keys;
        for (const auto& entry : m_valuesAfter)
            keys << entry.first;
        for (const auto& entry : m_filesAfter)
            keys << entry.first;
        Q_EMIT m_doc->changed(keys);
    }

    SkinDocument* m_doc;
    quintptr m_editor;
    QList<std::pair<QString, QVariant>> m_valuesAfter;
    QList<std::pair<QString, QVariant>> m_valuesBefore;
    Files m_filesAfter;
    Files m_filesBefore;
    bool m_firstRedo = true;
};

SkinDocument::SkinDocument(SkinRef skin, QObject* parent)
    : QObject(parent), m_skin(std::move(skin)) {
    connect(&m_stack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { Q_EMIT modifiedChanged(!clean); });
}

SkinDocument::~SkinDocument() {
    // The commands point back at this document; they go first, without telling anyone: whoever
    // listens may itself be half destroyed.
    m_stack.blockSignals(true);
    m_stack.clear();
}

SkinDocument::Outcome SkinDocument::open(const Locations& locations, const QString& name) {
    Collected collected;
    const bool wasModified = isModified();
    m_stack.clear();
    m_beforeSwitchOff.clear();
    m_skin = std::make_shared<cSkin>(locations);
    m_skin->CaricaSkin(name);
    if (wasModified)
        Q_EMIT modifiedChanged(false);
    return collected.outcome(m_skin->workFolderUsable());
}

QVariant SkinDocument::value(const QString& key) const {
    return m_skin ? m_skin->RetrInfo(key) : QVariant(QString());
}

QString SkinDocument::credits() const {
    return value(kCreditsKey).toString();
}

void SkinDocument::setCredits(const QString& credits) {
    SkinChange change;
    change.caption = tr("Skin Credits");
    change.values = {{kCreditsKey, credits}};
    apply(change);
}

void SkinDocument::load(const QString& key, const QVariant& value) {
    if (m_skin)
        m_skin->AddInfo(key, value);
}

void SkinDocument::setValues(const QList<std::pair<QString, QVariant>>& values) {
    if (!m_skin)
        return;
    for (const auto& [key, value] : values)
        m_skin->AddInfo(key, value);
}

std::optional<QByteArray> SkinDocument::fileBytes(const QString& name) const {
    if (!m_skin || m_skin->SkinPath().isEmpty())
        return std::nullopt;
    QByteArray bytes;
    if (SafeFolder::readFileAt(m_skin->SkinPath() + name, &bytes,
                               std::numeric_limits<qint32>::max()) != 0)
        return std::nullopt;
    return bytes;
}

int SkinDocument::putFile(const QString& name, const std::optional<QByteArray>& bytes) {
    if (!m_skin || m_skin->SkinPath().isEmpty() || !isPlainFileName(name))
        return EINVAL;
    const QString path = m_skin->SkinPath() + name;
    if (bytes)
        return writeWorkingFile(path, *bytes);
    const int err = SafeFolder::removeFileAt(path);
    return err == ENOENT ? 0 : err;
}

SkinDocument::Outcome SkinDocument::apply(const SkinChange& change) {
    QList<std::pair<QString, QVariant>> valuesBefore;
    bool changes = false;
    for (const auto& [key, value] : change.values) {
        const QVariant old = this->value(key);
        valuesBefore.append({key, old});
        changes = changes || !sameValue(old, value);
    }
    SkinChangeCommand::Files filesBefore;
    for (const auto& [name, bytes] : change.files) {
        const std::optional<QByteArray> old = fileBytes(name);
        filesBefore.append({name, old});
        changes = changes || old != bytes;
    }
    if (!changes)
        return {};
    // Written before the step is taken: a picture that cannot be written is no change.
    if (!change.files.isEmpty() && (!m_skin || m_skin->SkinPath().isEmpty()))
        return {false,
                noWorkFolderText(tr("impossibile scrivere %1").arg(change.files.first().first))};
    for (qsizetype i = 0; i < change.files.size(); ++i) {
        const auto& [name, bytes] = change.files[i];
        if (const int err = putFile(name, bytes)) {
            for (qsizetype j = 0; j < i; ++j)
                putFile(filesBefore[j].first, filesBefore[j].second);
            return {false, notWrittenText(err, m_skin->SkinPath() + name)};
        }
    }
    m_stack.push(
        new SkinChangeCommand(this, change, std::move(valuesBefore), std::move(filesBefore)));
    return {};
}

std::optional<QVariant> SkinDocument::valueBeforeSwitchOff(const QString& key) const {
    const auto it = m_beforeSwitchOff.constFind(key.toLower());
    if (it == m_beforeSwitchOff.constEnd())
        return std::nullopt;
    return *it;
}

void SkinDocument::rememberSwitchOff(const QString& key, const QVariant& value) {
    m_beforeSwitchOff.insert(key.toLower(), value);
}

SkinDocument::Outcome SkinDocument::writeParameters(const QByteArray& parameters) {
    const QString folder = m_skin ? m_skin->SkinPath() : QString();
    const QString path = folder + QStringLiteral("skin.ini");
    if (folder.isEmpty())
        return {false, noWorkFolderText(tr("impossibile scrivere %1").arg(path))};
    if (const int err = writeWorkingFile(path, parameters))
        return {false, notWrittenText(err, path)};
    m_stack.setClean();
    return {};
}

SkinDocument::Outcome SkinDocument::save(const QByteArray& parameters, const QStringList& files,
                                         const QString& title, const QString& packagePath) {
    const QString folder = m_skin ? m_skin->SkinPath() : QString();
    const QString ini = folder + QStringLiteral("skin.ini");
    if (folder.isEmpty())
        return {false, noWorkFolderText(tr("impossibile scrivere %1").arg(ini))};
    if (const int err = writeWorkingFile(ini, iniBytes(parameters)))
        return {false, notWrittenText(err, ini)};
    Collected collected;
    cBinary writer(m_skin->locations());
    // A skin opened from outside the skins folder goes back where it came from.
    const QString target = !packagePath.isEmpty()                     ? packagePath
                           : QDir::isAbsolutePath(m_skin->SkinName()) ? m_skin->SkinName()
                                                                      : QString();
    const bool packed = target.isEmpty() ? writer.CreaSkn(folder, files, m_skin->SkinName(), title)
                                         : writer.CreaSknAt(folder, files, target, title);
    // A package that could not be written leaves the changes unsaved: closing must still ask.
    if (packed)
        m_stack.setClean();
    return collected.outcome(packed);
}

QByteArray SkinDocument::iniBytes(const QByteArray& parameters) const {
    return parameters + QByteArrayLiteral("[info]\r\n") + encodeCp1252(credits()) +
           QByteArrayLiteral("\r\n");
}
