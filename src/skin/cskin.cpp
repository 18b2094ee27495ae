#include "cskin.h"

#include "common/cp1252.h"
#include "common/errors.h"
#include "storage/cbinary.h"
#include "storage/safefolder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <limits>

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(cSkin)
};

// Blanks are spaces only: a tab or another control character in skin.ini is part of the text.
QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

// One line of the file without its LF and an optional CR before it. False on a read error.
bool readLine(QIODevice* device, QString* line) {
    QByteArray bytes = device->readLine();
    if (bytes.isEmpty())
        return false; // a line always holds at least its LF or one byte before the end
    if (bytes.endsWith('\n')) {
        bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
    }
    *line = decodeCp1252(bytes);
    return true;
}

const QString kCreditsKey = QStringLiteral("credits");

} // namespace

cSkin::cSkin(Locations locations) : m_locations(std::move(locations)) {}

void cSkin::CaricaSkin(const QString& Nome) {
    const QString defaultName = m_locations.defaultSkinName();
    const QString defaultPath = m_locations.skinsDir() + defaultName;
    if (QFileInfo(defaultPath).isFile()) {
        LeggiSkin(defaultPath, defaultName);
    } else {
        // Opening a missing package would leave an empty file of that name behind and give the
        // user no clue why every setting reads empty; say it once and go on with the chosen one.
        reportError(ErrorCode::FileNotFound,
                    Tr::tr("Impossibile trovare lo skin predefinito %1").arg(defaultName));
        if (Nome == defaultName) {
            // Nothing else will empty the working folder: files of a previous skin must not be
            // taken for this one's. The missing package was reported above already.
            RecordingErrorReporter quiet;
            ScopedErrorReporter scope(&quiet);
            cBinary binary(m_locations);
            bool usable = true;
            const QString folder = binary.EstraiSkin(defaultPath, &usable);
            if (usable) {
                m_skinPath = folder;
            } else {
                m_workFolderUsable = false;
                m_workFolderRefusal = binary.workFolderRefusal();
            }
        }
    }
    // A full path names a package outside the skins folder, opened where it lives.
    if (m_workFolderUsable && Nome != defaultName)
        LeggiSkin(QDir::isAbsolutePath(Nome) ? Nome : m_locations.skinsDir() + Nome, Nome);
    m_skinName = Nome;
}

void cSkin::LeggiSkin(const QString& path, const QString& name) {
    Q_UNUSED(name);
    cBinary binary(m_locations);
    bool usable = true;
    const QString folder = binary.EstraiSkin(path, &usable);
    if (!usable) {
        // The refusal was reported by the reader; nothing of that folder may be trusted.
        m_workFolderUsable = false;
        m_workFolderRefusal = binary.workFolderRefusal();
        return;
    }
    m_skinPath = folder;
    // Read without following a link, like every other file of the working folder.
    QByteArray bytes;
    const QString ini = m_skinPath + QStringLiteral("skin.ini");
    const int err = SafeFolder::readFileAt(ini, &bytes, std::numeric_limits<qint32>::max());
    if (err == EFBIG)
        reportError(ErrorCode::OutOfMemory, Tr::tr("File troppo grande: %1").arg(ini));
    if (err != 0)
        return;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    LeggiParametri(&buffer);
}

void cSkin::LeggiParametri(QIODevice* device) {
    bool credits = false;
    while (!device->atEnd()) {
        QString line;
        if (!readLine(device, &line))
            return;
        line = trimBlanks(line);
        if (line.toLower() == QLatin1String("[info]")) {
            credits = true;
            break;
        }
        if (line.contains(u'=') && !AggiungiRiga(line))
            return;
    }
    QString c;
    if (credits) {
        while (!device->atEnd()) {
            QString line;
            if (!readLine(device, &line))
                return;
            c += line;
            if (!device->atEnd())
                c += QStringLiteral("\r\n");
        }
    }
    AddInfo(kCreditsKey, c);
}

bool cSkin::AggiungiRiga(const QString& line) {
    QString key;
    QString value;
    if (!DividiRiga(line, &value, &key))
        return false;
    AddInfo(key, value);
    return true;
}

bool cSkin::DividiRiga(const QString& line, QString* value, QString* key) {
    const qsizetype p = line.indexOf(u'=') + 1; // counted from 1, 0 when absent
    if (p <= 1)
        return false;
    *value = trimBlanks(line.mid(p));
    *key = trimBlanks(line.left(p - 2));
    return true;
}

QVariant cSkin::RetrInfo(const QString& Key) const {
    const auto it = m_table.constFind(Key.toLower());
    if (it == m_table.constEnd())
        return QVariant(QString(QLatin1String("")));
    return it->value;
}

void cSkin::AddInfo(const QString& Key, const QVariant& Info) {
    const QString lower = Key.toLower();
    const auto it = m_table.find(lower);
    if (it != m_table.end())
        m_order.erase(it->order);
    const quint64 order = m_nextOrder++;
    m_table.insert(lower, Entry{Key, Info, order});
    m_order.emplace(order, lower);
}

QStringList cSkin::keys() const {
    QStringList out;
    out.reserve(qsizetype(m_order.size()));
    for (const auto& [order, lower] : m_order)
        out << m_table.value(lower).key;
    return out;
}
