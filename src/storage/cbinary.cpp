#include "storage/cbinary.h"

#include "common/cp1252.h"
#include "common/filenames.h"
#include "storage/pendingfile.h"
#include "storage/safefolder.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(cBinary)
};

const QByteArray kSkinSignature = QByteArrayLiteral("QuenlarkSkin");
const QByteArray kSettingsSignature = QByteArrayLiteral("QuenlarkSettings");

const QStringList kDefaultSettingsFiles = {
    QStringLiteral("alias.txt"),
    QStringLiteral("trigger.txt"),
    QStringLiteral("config.ini"),
};

// A short text as the stream stores it: its length in one byte, then its bytes.
QByteArray storedText(const QByteArray& text) {
    return char(text.size()) + text;
}

QString withPath(ErrorCode code, const QString& path) {
    return errorDescription(code) + QStringLiteral(": ") + path;
}

// Opening a file to read: a missing file is "file not found", not "path not found".
ErrorCode codeForOpenErrno(int err) {
    return err == ENOENT ? ErrorCode::FileNotFound
                         : errorCodeForErrno(err, ErrorCode::PathFileAccess);
}

// The message for a failed system call on path: the standard description of the error number,
// unless that would hide the cause (a name the file system cannot take would read as "invalid
// file name", a full quota as "disk full", a read-only file system as "permission denied").
QString errnoText(ErrorCode code, int err, const QString& path) {
    switch (err) {
    case ENAMETOOLONG:
        return Tr::tr("Nome troppo lungo per il file system: %1").arg(path);
    case EDQUOT:
        return Tr::tr("Quota del disco esaurita: %1").arg(path);
    case EROFS:
        return Tr::tr("File system di sola lettura: %1").arg(path);
    default:
        return withPath(code, path);
    }
}

// What an entry is when it is not a plain file, for "(è una cartella)" after its path.
QString kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return Tr::tr("è una cartella");
    if (S_ISFIFO(mode))
        return Tr::tr("è una pipe");
    if (S_ISLNK(mode))
        return Tr::tr("è un collegamento simbolico");
    if (S_ISSOCK(mode))
        return Tr::tr("è un socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Tr::tr("è un dispositivo");
    return Tr::tr("non è un file ordinario");
}

QString withSeparator(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

struct cBinary::Impl {
    Locations locations;
    std::unique_ptr<QFileDevice> file; // the current file: a QFile to read, a PendingFile to write
    QString path;                      // its path, for messages
    bool failed = false;               // a failure of the running operation was reported
    QString refusal;                   // why the working folder was refused, if it was
};

cBinary::cBinary(Locations locations) : d(std::make_unique<Impl>()) {
    d->locations = std::move(locations);
}

cBinary::~cBinary() {
    ChiudiFile();
}

QString cBinary::workFolderRefusal() const {
    return d->refusal;
}

QString cBinary::workFolderPath() const {
    return d->locations.workDir() + u'/';
}

bool cBinary::isSafeEntryName(const QString& name) {
    return isPlainFileName(name);
}

// ---------------------------------------------------------------------------------------------
// Failures

void cBinary::fallisci(ErrorCode code, const QString& description) {
    if (d->failed)
        return;
    d->failed = true;
    reportError(code, description.isEmpty() ? withPath(code, d->path) : description);
}

void cBinary::fallisciScrittura(ErrorCode fallback, const QString& path, int err) {
    const ErrorCode code = errorCodeForErrno(err, fallback);
    fallisci(code, errnoText(code, err, path));
}

// ---------------------------------------------------------------------------------------------
// The stream

bool cBinary::ApriFile(const QString& path, Accesso accesso) {
    ChiudiFile();
    d->path = path;
    if (accesso == Accesso::Lettura) {
        // A folder, pipe or device is no package. A device is not even opened (opening some has
        // effects); the open itself never waits, since a pipe would block it, and what was opened
        // is looked at again, in case the path changed in between.
        const QByteArray native = QFile::encodeName(path);
        struct stat st {};
        const auto refuse = [&](mode_t mode) {
            fallisci(ErrorCode::PathFileAccess,
                     Tr::tr("Non è un file: %1 (%2)").arg(path, kindOf(mode)));
            return false;
        };
        if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
            return refuse(st.st_mode);
        const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            const int err = errno;
            const ErrorCode code = codeForOpenErrno(err);
            fallisci(code, errnoText(code, err, path));
            return false;
        }
        st = {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return refuse(st.st_mode);
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        auto file = std::make_unique<QFile>();
        if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            fallisci(ErrorCode::PathFileAccess);
            return false;
        }
        d->file = std::move(file);
        return true;
    }
    // The package is written beside the old one and replaces it only when complete.
    auto file = std::make_unique<PendingFile>(path);
    if (const int err = file->openPending()) {
        fallisciScrittura(ErrorCode::PathFileAccess, path, err);
        return false;
    }
    d->file = std::move(file);
    return true;
}

void cBinary::ChiudiFile() {
    if (!d->file)
        return;
    // A package that was not confirmed is thrown away, so the old one stays.
    if (auto* pending = dynamic_cast<PendingFile*>(d->file.get()))
        pending->cancelPending();
    d->file.reset();
}

bool cBinary::ConfermaFile() {
    auto* pending = dynamic_cast<PendingFile*>(d->file.get());
    if (!pending || d->failed) {
        ChiudiFile();
        return false;
    }
    // Qt can take a short write for a success until the buffer is flushed: look first.
    errno = 0;
    if (!pending->flush() || pending->error() != QFileDevice::NoError) {
        const int err = errno;
        fallisciScrittura(pending->error() == QFileDevice::ResourceError ? ErrorCode::DiskFull
                                                                         : ErrorCode::DeviceIO,
                          d->path, err);
        ChiudiFile();
        return false;
    }
    if (const int err = pending->commitPending()) {
        fallisciScrittura(ErrorCode::DeviceIO, d->path, err);
        ChiudiFile();
        return false;
    }
    d->file.reset();
    return true;
}

qint64 cBinary::restanti() const {
    return d->file ? d->file->size() - d->file->pos() : 0;
}

bool cBinary::leggiEsatti(char* dst, qint64 size) {
    if (d->failed)
        return false;
    if (!d->file) {
        fallisci(ErrorCode::BadFileName);
        return false;
    }
    if (size == 0)
        return true;
    const qint64 got = d->file->read(dst, size);
    if (got != size) {
        fallisci(got < 0 ? ErrorCode::DeviceIO : ErrorCode::PastEndOfFile);
        return false;
    }
    return true;
}

bool cBinary::scriviEsatti(const char* src, qint64 size) {
    if (d->failed)
        return false;
    if (!d->file) {
        fallisci(ErrorCode::BadFileName);
        return false;
    }
    if (size == 0)
        return true;
    errno = 0;
    const qint64 written = d->file->write(src, size);
    if (written != size) {
        const int err = errno;
        fallisciScrittura(d->file->error() == QFileDevice::ResourceError ? ErrorCode::DiskFull
                                                                         : ErrorCode::DeviceIO,
                          d->path, err);
        return false;
    }
    return true;
}

bool cBinary::salta(qint64 size) {
    if (d->failed)
        return false;
    if (!d->file) {
        fallisci(ErrorCode::BadFileName);
        return false;
    }
    if (size > restanti()) {
        fallisci(ErrorCode::PastEndOfFile);
        return false;
    }
    if (!d->file->seek(d->file->pos() + size)) {
        fallisci(ErrorCode::DeviceIO);
        return false;
    }
    return true;
}

void cBinary::ScriviStringa(const QString& text) {
    const QByteArray bytes = encodeCp1252(text);
    if (bytes.size() > kMaxTextLength) {
        fallisci(ErrorCode::Overflow,
                 Tr::tr("Testo più lungo di 255 caratteri: %1").arg(text.left(40)));
        return;
    }
    const char length = char(quint8(bytes.size()));
    if (scriviEsatti(&length, 1))
        scriviEsatti(bytes.constData(), bytes.size());
}

QString cBinary::LeggiStringa() {
    char length = 0;
    if (!leggiEsatti(&length, 1))
        return {};
    const int n = quint8(length);
    char bytes[256];
    if (!leggiEsatti(bytes, n))
        return {};
    return decodeCp1252(bytes, n);
}

void cBinary::SaltaStringa() {
    char length = 0;
    if (leggiEsatti(&length, 1))
        salta(quint8(length));
}

void cBinary::ScriviLong(qint32 value) {
    if (value < 0) {
        fallisci(ErrorCode::Overflow);
        return;
    }
    const quint32 v = quint32(value);
    const char bytes[4] = {char(v & 255), char((v >> 8) & 255), char((v >> 16) & 255),
                           char((v >> 24) & 255)};
    scriviEsatti(bytes, 4);
}

qint32 cBinary::LeggiLong() {
    unsigned char b[4] = {};
    if (!leggiEsatti(reinterpret_cast<char*>(b), 4))
        return 0;
    if (b[3] >= 128) {
        fallisci(ErrorCode::Overflow);
        return 0;
    }
    return qint32(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24);
}

void cBinary::ScriviBlocco(const QByteArray& data) {
    if (data.size() > std::numeric_limits<qint32>::max()) {
        fallisci(ErrorCode::Overflow);
        return;
    }
    ScriviLong(qint32(data.size()));
    scriviEsatti(data.constData(), data.size());
}

QByteArray cBinary::LeggiBlocco() {
    const qint32 size = LeggiLong();
    if (d->failed || size == 0)
        return {};
    // A declared length past the end of the file is refused before anything is allocated.
    if (size > restanti()) {
        fallisci(ErrorCode::PastEndOfFile);
        return {};
    }
    QByteArray data(size, Qt::Uninitialized);
    if (!leggiEsatti(data.data(), size))
        return {};
    return data;
}

void cBinary::SaltaBlocco() {
    const qint32 size = LeggiLong();
    if (!d->failed)
        salta(size);
}

bool cBinary::haFirma(const QByteArray& firma) {
    if (!d->file || d->failed)
        return false;
    const QByteArray expected = storedText(firma);
    return d->file->peek(expected.size()) == expected;
}

bool cBinary::HaFirmaSkin(const QString& SknPath) {
    // Opened without blocking and looked at before reading: a pipe given as a package would
    // otherwise hang the caller.
    const int fd =
        ::open(QFile::encodeName(SknPath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    QFile file;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    const QByteArray expected = storedText(kSkinSignature);
    return file.read(expected.size()) == expected;
}

bool cBinary::controllaTesto(const QString& text, const QString& tooLong) {
    if (encodeCp1252(text).size() <= kMaxTextLength)
        return true;
    fallisci(ErrorCode::Overflow, tooLong.arg(text.left(40)));
    return false;
}

// ---------------------------------------------------------------------------------------------
// Skin package

bool cBinary::CreaSkn(const QString& SrcPath, const QStringList& Files, const QString& Nome,
                      const QString& Title) {
    d->failed = false;
    if (!isSafeEntryName(Nome)) {
        fallisci(ErrorCode::BadFileName, Tr::tr("Nome di pacchetto non valido: %1").arg(Nome));
        return false;
    }
    return CreaSknAt(SrcPath, Files, d->locations.skinsDir() + Nome, Title);
}

bool cBinary::CreaSknAt(const QString& SrcPath, const QStringList& Files, const QString& TargetPath,
                        const QString& Title, bool ConNascosti) {
    d->failed = false;
    ChiudiFile();
    const QString src = withSeparator(SrcPath);

    // Everything that would make a package unreadable is refused before a byte is written.
    if (!controllaTesto(Title, Tr::tr("Titolo più lungo di 255 caratteri: %1…")))
        return false;
    QStringList entries;
    QStringList links;
    for (const QString& name : Files) {
        if (name.isEmpty() || (name.startsWith(u'.') && !ConNascosti))
            continue;
        const QFileInfo info(src + name);
        if (info.isSymLink()) {
            // A link may point at anybody's file: what it names never enters a package.
            links << name;
            continue;
        }
        if (!info.isFile())
            continue;
        if (!isSafeEntryName(name)) {
            fallisci(ErrorCode::BadFileName, Tr::tr("Nome di file non valido: %1").arg(name));
            return false;
        }
        if (!controllaTesto(name, Tr::tr("Nome di file più lungo di 255 caratteri: %1…")))
            return false;
        if (decodeCp1252(encodeCp1252(name)) != name) {
            fallisci(ErrorCode::BadFileName,
                     Tr::tr("Nome di file con caratteri non ammessi: %1").arg(name));
            return false;
        }
        entries << name;
    }
    if (entries.size() > kMaxEntries) {
        fallisci(ErrorCode::Overflow, Tr::tr("Troppi file per un pacchetto (%1, al massimo %2)")
                                          .arg(entries.size())
                                          .arg(kMaxEntries));
        return false;
    }

    if (!ApriFile(TargetPath, Accesso::Scrittura))
        return false;
    ScriviStringa(QString::fromLatin1(kSkinSignature));
    ScriviStringa(Title);
    ScriviLong(qint32(entries.size()));
    for (const QString& name : entries) {
        if (d->failed)
            break;
        ScriviStringa(name);
        const QString path = src + name;
        // Read without following a link: one put in place since the names were checked is
        // refused, not packed.
        QByteArray data;
        const int err = SafeFolder::readFileAt(path, &data, std::numeric_limits<qint32>::max());
        if (err == EFBIG) {
            fallisci(ErrorCode::Overflow, Tr::tr("File troppo grande: %1").arg(path));
            break;
        }
        if (err == ELOOP) {
            fallisci(ErrorCode::PathFileAccess,
                     Tr::tr("Il file è diventato un collegamento simbolico: %1").arg(path));
            break;
        }
        if (err != 0) {
            const ErrorCode code = codeForOpenErrno(err);
            fallisci(code, withPath(code, path));
            break;
        }
        ScriviBlocco(data);
    }
    if (!ConfermaFile())
        return false;
    if (!links.isEmpty())
        reportMessage(Tr::tr("Collegamenti simbolici lasciati fuori dal pacchetto %1: %2")
                          .arg(TargetPath, links.join(QStringLiteral(", "))));
    return true;
}

QString cBinary::EstraiSkin(const QString& SknPath, bool* usable) {
    d->failed = false;
    SafeFolder folder;
    QString why;
    const bool ok = folder.open(d->locations.workDir(), SafeFolder::Kind::Private, &why);
    if (usable)
        *usable = ok;
    if (!ok) {
        d->refusal = why;
        fallisci(ErrorCode::PathFileAccess, why);
        return workFolderPath();
    }
    folder.removePlainFiles(SafeFolder::idOf(SknPath));
    leggiPacchetto(SknPath, &folder, nullptr);
    return workFolderPath();
}

cBinary::Esito cBinary::EstraiSkinIn(const QString& SknPath, const QString& Folder,
                                     bool Sovrascrivi) {
    d->failed = false;
    // The folder is the user's: a missing, foreign or broken package, or one that would replace
    // what the folder holds, must leave it exactly as it was. So the package is read whole, and
    // every name it would write looked at, before the folder is even created.
    QList<Voce> voci;
    const Esito lettura = leggiPacchetto(SknPath, nullptr, &voci);
    if (lettura != Esito::Completo)
        return lettura;
    struct stat st {};
    if (::stat(QFile::encodeName(Folder).constData(), &st) == 0 && !S_ISDIR(st.st_mode)) {
        fallisci(ErrorCode::PathNotFound, Tr::tr("Non è una cartella: %1").arg(Folder));
        return Esito::Fallito;
    }
    const FileId package = SafeFolder::idOf(SknPath);
    const QString base = withSeparator(Folder);
    for (const Voce& voce : voci) {
        const QString path = base + voce.nome;
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
            const int err = errno;
            if (err == ENOENT)
                continue;
            fallisciScrittura(ErrorCode::PathFileAccess, path, err);
            return Esito::Fallito;
        }
        if (package.valid && quint64(st.st_dev) == package.device &&
            quint64(st.st_ino) == package.inode) {
            fallisci(ErrorCode::BadFileName,
                     Tr::tr("Nome di file non valido nel pacchetto: %1").arg(voce.nome));
            return Esito::Fallito;
        }
        if (!Sovrascrivi) {
            fallisci(ErrorCode::FileExists,
                     S_ISREG(st.st_mode)
                         ? withPath(ErrorCode::FileExists, path)
                         : QStringLiteral("%1 (%2)").arg(withPath(ErrorCode::FileExists, path),
                                                         kindOf(st.st_mode)));
            return Esito::Fallito;
        }
        // Only a plain file is replaced: a folder or a link may hold or name what is not ours.
        if (!S_ISREG(st.st_mode)) {
            fallisci(
                ErrorCode::FileExists,
                Tr::tr("Esiste già e non viene sostituito: %1 (%2)").arg(path, kindOf(st.st_mode)));
            return Esito::Fallito;
        }
    }
    SafeFolder folder;
    QString why;
    if (!folder.open(Folder, SafeFolder::Kind::AsGiven, &why)) {
        fallisci(ErrorCode::PathFileAccess, why);
        return Esito::Fallito;
    }
    if (!Sovrascrivi)
        folder.keepExisting();
    return leggiPacchetto(SknPath, &folder, nullptr);
}

cBinary::Esito cBinary::ElencaVoci(const QString& SknPath, QList<Voce>* voci) {
    d->failed = false;
    return leggiPacchetto(SknPath, nullptr, voci);
}

cBinary::Esito cBinary::leggiPacchetto(const QString& SknPath, SafeFolder* dest,
                                       QList<Voce>* voci) {
    ChiudiFile();
    if (!ApriFile(SknPath, Accesso::Lettura))
        return Esito::Fallito;
    if (!haFirma(kSkinSignature)) {
        ChiudiFile();
        return Esito::SenzaFirma;
    }
    SaltaStringa(); // the signature, already checked
    SaltaStringa(); // the title
    const qint32 count = LeggiLong();
    if (!d->failed && count > kMaxEntries)
        fallisci(ErrorCode::Overflow,
                 Tr::tr("Il pacchetto dichiara %1 file, più dei %2 ammessi: %3")
                     .arg(QString::number(count), QString::number(kMaxEntries), SknPath));
    // Unpacked into its own folder, an entry of the package's name would replace it.
    const FileId package = dest ? SafeFolder::idOf(SknPath) : FileId{};
    Esito esito = Esito::Completo;
    for (qint32 i = 0; i < count && !d->failed; ++i) {
        // A package that ends cleanly before its declared count keeps the entries it has.
        if (restanti() == 0) {
            esito = Esito::Incompleto;
            break;
        }
        const QString name = LeggiStringa();
        if (d->failed)
            break;
        if (!isSafeEntryName(name)) {
            fallisci(ErrorCode::BadFileName,
                     Tr::tr("Nome di file non valido nel pacchetto: %1").arg(name));
            break;
        }
        if (!dest) {
            const qint32 size = LeggiLong();
            if (d->failed || !salta(size))
                break;
            if (voci)
                voci->append({name, size});
            continue;
        }
        if (dest->isSameFile(name, package)) {
            fallisci(ErrorCode::BadFileName,
                     Tr::tr("Nome di file non valido nel pacchetto: %1").arg(name));
            break;
        }
        const QByteArray data = LeggiBlocco();
        if (d->failed)
            break;
        if (const int err = dest->writeFile(name, data))
            fallisciScrittura(ErrorCode::PathFileAccess, dest->path() + u'/' + name, err);
    }
    ChiudiFile();
    return d->failed ? Esito::Fallito : esito;
}

QString cBinary::EstraiTitolo(const QString& SknPath) {
    d->failed = false;
    ChiudiFile();
    if (!ApriFile(SknPath, Accesso::Lettura))
        return {};
    QString title;
    if (haFirma(kSkinSignature)) {
        SaltaStringa();
        title = LeggiStringa();
    }
    ChiudiFile();
    return d->failed ? QString() : title;
}

// ---------------------------------------------------------------------------------------------
// Client settings package

bool cBinary::EstraiSettings() {
    d->failed = false;
    QStringList names;
    bool senzaFirma = false;
    return LeggiSettings(names, true, &senzaFirma);
}

bool cBinary::SalvaSettings(bool Delete) {
    d->failed = false;
    QStringList names;
    bool senzaFirma = false;
    if (!LeggiSettings(names, false, &senzaFirma))
        return false;
    if (senzaFirma) {
        // Writing over it would lose a file that is not ours.
        fallisci(ErrorCode::PathFileAccess, Tr::tr("Il file non è un pacchetto di impostazioni: %1")
                                                .arg(d->locations.settingsPackagePath()));
        return false;
    }
    return ScriviSettings(names, Delete);
}

bool cBinary::LeggiSettings(QStringList& names, bool extract, bool* senzaFirma, int profondita) {
    const QString package = d->locations.settingsPackagePath();
    *senzaFirma = false;
    if (!QFileInfo::exists(package) && profondita == 0) {
        // First use: bundle the default files. They are deleted only when they are unpacked again
        // right away, so saving before any package exists keeps their contents.
        names = kDefaultSettingsFiles;
        if (!ScriviSettings(names, extract))
            return false;
        return LeggiSettings(names, extract, senzaFirma, profondita + 1);
    }

    SafeFolder folder;
    if (extract) {
        QString why;
        if (!folder.open(d->locations.programDir, SafeFolder::Kind::AsGiven, &why)) {
            fallisci(ErrorCode::PathFileAccess, why);
            return false;
        }
    }
    names.clear();
    if (!ApriFile(package, Accesso::Lettura))
        return false;
    if (!haFirma(kSettingsSignature)) {
        *senzaFirma = true;
        ChiudiFile();
        return true;
    }
    SaltaStringa();
    const qint32 count = LeggiLong();
    if (!d->failed && count > kMaxEntries)
        fallisci(ErrorCode::Overflow, withPath(ErrorCode::Overflow, package));
    // An entry named like the package would overwrite it when unpacked, and be deleted with the
    // other files after a save.
    const QString ownName = QFileInfo(package).fileName();
    for (qint32 i = 0; i < count && !d->failed && restanti() > 0; ++i) {
        const QString name = LeggiStringa();
        if (d->failed)
            break;
        if (!isSafeEntryName(name) || name.compare(ownName, Qt::CaseInsensitive) == 0) {
            fallisci(ErrorCode::BadFileName,
                     Tr::tr("Nome di file non valido nel pacchetto: %1").arg(name));
            break;
        }
        if (!extract) {
            SaltaBlocco();
            if (!d->failed)
                names << name;
            continue;
        }
        const QByteArray data = LeggiBlocco();
        if (d->failed)
            break;
        names << name;
        if (const int err = folder.writeFile(name, data))
            fallisciScrittura(ErrorCode::PathFileAccess, folder.path() + u'/' + name, err);
    }
    ChiudiFile();
    return !d->failed;
}

bool cBinary::ScriviSettings(const QStringList& names, bool Delete) {
    ChiudiFile();
    if (names.size() > kMaxEntries) {
        fallisci(ErrorCode::Overflow);
        return false;
    }
    SafeFolder folder;
    QString why;
    if (!folder.open(d->locations.programDir, SafeFolder::Kind::AsGiven, &why)) {
        fallisci(ErrorCode::PathFileAccess, why);
        return false;
    }
    // A missing file is packed empty and created empty, so the list and the folder agree.
    for (const QString& name : names) {
        if (!folder.isRegularFile(name)) {
            if (const int err = folder.writeFile(name, {})) {
                fallisciScrittura(ErrorCode::PathFileAccess, folder.path() + u'/' + name, err);
                return false;
            }
        }
    }

    if (!ApriFile(d->locations.settingsPackagePath(), Accesso::Scrittura))
        return false;
    ScriviStringa(QString::fromLatin1(kSettingsSignature));
    ScriviLong(qint32(names.size()));
    for (const QString& name : names) {
        if (d->failed)
            break;
        ScriviStringa(name);
        const QString path = d->locations.programDir + u'/' + name;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            fallisci(ErrorCode::PathFileAccess, withPath(ErrorCode::PathFileAccess, path));
            break;
        }
        const QByteArray data = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            fallisci(ErrorCode::DeviceIO, withPath(ErrorCode::DeviceIO, path));
            break;
        }
        if (data.isEmpty())
            ScriviLong(0);
        else
            ScriviBlocco(data);
    }
    if (!ConfermaFile())
        return false;

    // Only once the package is safely written may the files it holds go.
    if (Delete) {
        for (const QString& name : names) {
            const int err = folder.removeFile(name);
            if (err != 0 && err != ENOENT)
                fallisciScrittura(ErrorCode::PathFileAccess, folder.path() + u'/' + name, err);
        }
    }
    return !d->failed;
}
