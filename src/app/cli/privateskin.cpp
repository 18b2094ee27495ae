#include "app/cli/privateskin.h"

#include "app/cli/commands.h"
#include "common/errors.h"
#include "storage/cbinary.h"
#include "storage/leftovers.h"
#include "storage/safefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

QString cleanedParent() {
    const QString parent = cliLocations().tempDir;
    leftovers::removeDead(parent);
    return parent;
}

bool copyInto(const QString& from, const QString& to) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        printError(fileErrorText(ErrorCode::PathFileAccess, from));
        return false;
    }
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        printError(fileErrorText(ErrorCode::DeviceIO, from));
        return false;
    }
    // The copy goes to the temporary folder: say so when that is what is full.
    const int err = SafeFolder::writeFileAt(to, bytes);
    if (err == ENOSPC || err == EDQUOT || err == EFBIG) {
        printError(errorMessageText(
            int(ErrorCode::DiskFull),
            TessellarySkn::tr("%1: la cartella temporanea non ha spazio per la copia di %2 (%3)")
                .arg(errorDescription(ErrorCode::DiskFull), from, QFileInfo(to).absolutePath())));
        return false;
    }
    if (err != 0) {
        printError(fileErrorText(ErrorCode::PathFileAccess, to));
        return false;
    }
    return packageReadsWhole(to, from);
}

} // namespace

bool packageReadsWhole(const QString& path, const QString& shownPath) {
    QList<cBinary::Voce> entries;
    cBinary binary(cliLocations());
    switch (binary.ElencaVoci(path, &entries)) {
    case cBinary::Esito::Completo:
        return true;
    case cBinary::Esito::SenzaFirma:
        printError(TessellarySkn::tr("Il file non è un pacchetto skin: %1").arg(shownPath));
        return false;
    case cBinary::Esito::Incompleto:
        printError(TessellarySkn::tr("Il pacchetto finisce prima di tutti i file che dichiara: %1")
                       .arg(shownPath));
        return false;
    case cBinary::Esito::Fallito:
        break; // reported by cBinary
    }
    return false;
}

PrivateSkin::PrivateSkin()
    : m_parent(cleanedParent()), m_root(leftovers::temporaryFolderTemplate(m_parent)) {
    m_locations.programDir = m_root.path() + QStringLiteral("/program");
    m_locations.tempDir = m_root.path() + QStringLiteral("/temp");
}

bool PrivateSkin::prepare(const QString& package, const QString& defaultPackage) {
    if (!packageReadsWhole(package, package) ||
        (!defaultPackage.isEmpty() && !packageReadsWhole(defaultPackage, defaultPackage)))
        return false;
    if (!m_root.isValid()) {
        printError(TessellarySkn::tr("Impossibile creare le cartelle temporanee in %1: %2")
                       .arg(QDir::toNativeSeparators(m_parent), m_root.errorString()));
        return false;
    }
    if (!QDir().mkpath(m_locations.skinsDir()) || !QDir().mkpath(m_locations.tempDir)) {
        printError(TessellarySkn::tr("Impossibile creare le cartelle temporanee"));
        return false;
    }
    m_name = m_locations.defaultSkinName();
    if (!defaultPackage.isEmpty()) {
        if (!copyInto(defaultPackage, m_locations.skinsDir() + m_name))
            return false;
        m_name = QStringLiteral("skin.skn");
    }
    return copyInto(package, m_locations.skinsDir() + m_name);
}
