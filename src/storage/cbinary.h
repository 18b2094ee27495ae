#pragma once

#include "common/locations.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>

// The one class through which the program reads and writes its binary packages: the skin
// package (".skn", also the template "modello.dat") and the client settings package
// ("quenlark.ini"). An object serves one package operation and is released right after it.
//
// Every failure is reported through the error reporter ("Errore N: ..."); the boolean results
// say whether the operation completed, for callers that must not go on after a failure.
class cBinary {
public:
    explicit cBinary(Locations locations);
    ~cBinary();
    cBinary(const cBinary&) = delete;
    cBinary& operator=(const cBinary&) = delete;

    // Packs the listed files of SrcPath (names without a folder part, in list order; empty names
    // and names that are not existing plain files are skipped) into the package Nome inside the
    // skins folder, with the given title. The old package is replaced only once the new one has
    // been written completely; on any failure it stays as it was and false is returned.
    bool CreaSkn(const QString& SrcPath, const QStringList& Files, const QString& Nome,
                 const QString& Title);

    // Empties the working folder's plain files and unpacks the package at SknPath into it.
    // Returns the working folder's path ending in a separator, also when nothing could be
    // unpacked. When the working folder cannot be used safely (it is a symbolic link or belongs
    // to another user), nothing is emptied or written, the refusal is reported and *usable is set
    // to false.
    QString EstraiSkin(const QString& SknPath, bool* usable = nullptr);

    // The package's title, or "" when the file does not begin with the signature.
    QString EstraiTitolo(const QString& SknPath);

    // Unpacks the client settings package into the program's folder, creating the package from
    // the default files first when it does not exist.
    bool EstraiSettings();

    // Packs the files the settings package names again; with Delete each file is deleted once
    // it has been packed.
    bool SalvaSettings(bool Delete);

    // The working folder's path ending in a separator (what EstraiSkin returns).
    QString workFolderPath() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
