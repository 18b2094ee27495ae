#pragma once

#include "common/errors.h"
#include "common/locations.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class SafeFolder;

// The one class through which the program reads and writes its binary packages: the skin
// package (".skn", also the template "modello.dat") and the client settings package
// ("quenlark.ini"). An object serves one package operation and is released right after it.
//
// Every failure is reported through the error reporter ("Errore N: ..."); the boolean results
// say whether the operation completed, for callers that must not go on after a failure. One
// operation reports at most one failure: the first one stops it.
class cBinary {
public:
    explicit cBinary(Locations locations);
    ~cBinary();
    cBinary(const cBinary&) = delete;
    cBinary& operator=(const cBinary&) = delete;

    // Largest title, name and entry count a package can hold.
    static constexpr int kMaxTextLength = 255;
    static constexpr int kMaxEntries = 32767;

    // Packs the listed files of SrcPath (names without a folder part, in list order; empty names
    // and names that are not existing plain files are skipped) into the package Nome inside the
    // skins folder, with the given title. The old package is replaced only once the new one has
    // been written completely; on any failure it stays as it was and false is returned.
    bool CreaSkn(const QString& SrcPath, const QStringList& Files, const QString& Nome,
                 const QString& Title);

    // CreaSkn with the package's full path instead of a name in the skins folder; the same bytes,
    // the same rules. Dot-files count as hidden and are skipped like missing ones, unless
    // ConNascosti: a dot-file the user named on purpose is packed like any other.
    bool CreaSknAt(const QString& SrcPath, const QStringList& Files, const QString& TargetPath,
                   const QString& Title, bool ConNascosti = false);

    // Empties the working folder's plain files and unpacks the package at SknPath into it.
    // Returns the working folder's path ending in a separator, also when nothing could be
    // unpacked. When the working folder cannot be used safely (it is a symbolic link or belongs
    // to another user), nothing is emptied or written, the refusal is reported and *usable is set
    // to false.
    QString EstraiSkin(const QString& SknPath, bool* usable = nullptr);

    // How an unpacking or listing ended.
    enum class Esito {
        Completo,   // every declared entry was read
        SenzaFirma, // the file does not begin with the signature: nothing was read, no report
        Incompleto, // the file ended cleanly before the declared count: no report
        Fallito,    // a failure was reported
    };

    // Unpacks the package into a folder the user named (created when missing). Unlike EstraiSkin
    // it deletes nothing: the whole package is read and checked first, and nothing is written
    // when it is not sound or when an entry would replace anything already in the folder. With
    // Sovrascrivi an existing plain file is replaced (atomically, never through a link); a link,
    // folder or the package itself is still refused. The folder itself may be reached through a
    // link, since the caller named it; links inside it are never followed.
    Esito EstraiSkinIn(const QString& SknPath, const QString& Folder, bool Sovrascrivi = false);

    struct Voce {
        QString nome;
        qint32 lunghezza = 0;
    };
    // The entries of a package in order, read with the rules of EstraiSkin, without writing.
    Esito ElencaVoci(const QString& SknPath, QList<Voce>* voci);

    // The package's title, or "" when the file does not begin with the signature.
    QString EstraiTitolo(const QString& SknPath);

    // Whether the file can be read and begins with the skin package signature. Reports nothing.
    static bool HaFirmaSkin(const QString& SknPath);

    // Unpacks the client settings package into the program's folder, creating the package from
    // the default files first when it does not exist.
    bool EstraiSettings();

    // Packs the files the settings package names again; with Delete each file is deleted once
    // the package has been written. When no package exists yet it is created from the default
    // files, whose contents are kept. A file at the package's path that is not a settings
    // package is left alone and the operation is refused.
    bool SalvaSettings(bool Delete);

    // Why the last EstraiSkin refused the working folder, in Italian ("" when it did not).
    QString workFolderRefusal() const;

    // The working folder's path ending in a separator (what EstraiSkin returns).
    QString workFolderPath() const;

    // Whether a package may hold the name of an entry and unpack it as a file of the folder: the
    // one plain-file-name rule of common/filenames.h.
    static bool isSafeEntryName(const QString& name);

private:
    enum class Accesso { Lettura, Scrittura };

    // The stream over the current file. Each operation works at the current position; after the
    // first failure of an operation it reports nothing more and does nothing (reads give "" or
    // 0), so a broken file produces one message.
    bool ApriFile(const QString& path, Accesso accesso);
    void ChiudiFile();
    bool ConfermaFile(); // makes a file opened for writing replace the old one
    void ScriviStringa(const QString& text);
    QString LeggiStringa();
    void SaltaStringa();
    void ScriviLong(qint32 value);
    qint32 LeggiLong();
    void ScriviBlocco(const QByteArray& data);
    QByteArray LeggiBlocco();
    void SaltaBlocco();

    bool LeggiSettings(QStringList& names, bool extract, bool* senzaFirma, int profondita = 0);
    bool ScriviSettings(const QStringList& names, bool Delete);

    bool leggiEsatti(char* dst, qint64 size);
    bool scriviEsatti(const char* src, qint64 size);
    bool salta(qint64 size);
    qint64 restanti() const;
    bool haFirma(const QByteArray& firma);
    // `tooLong` takes the start of the text as %1.
    bool controllaTesto(const QString& text, const QString& tooLong);
    Esito leggiPacchetto(const QString& SknPath, SafeFolder* dest, QList<Voce>* voci);
    void fallisci(ErrorCode code, const QString& description = {});
    void fallisciScrittura(ErrorCode code, const QString& path, int err);

    struct Impl;
    std::unique_ptr<Impl> d;
};
