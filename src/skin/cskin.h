#pragma once

#include "common/locations.h"

#include <QHash>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>

// One opened skin: the package it came from, the working folder it was unpacked into and the
// info table of its settings and credits. Opening reads "(default).skn" first and the chosen
// package over it, so a key the chosen skin lacks keeps the default skin's value.
class cSkin {
public:
    explicit cSkin(Locations locations);

    // Loads the package Nome of the skins folder, or the package at Nome when it is a full path
    // (over "(default).skn").
    void CaricaSkin(const QString& Nome);

    // The value stored under Key (compared without regard to case), or the empty text.
    QVariant RetrInfo(const QString& Key) const;

    // Stores Info under Key, unchanged whatever its type, replacing an entry with the same key;
    // the entry moves to the end of the table's order.
    void AddInfo(const QString& Key, const QVariant& Info);

    // The working folder holding the unpacked files, ending in a separator ("" before loading).
    QString SkinPath() const { return m_skinPath; }
    void setSkinPath(const QString& path) { m_skinPath = path; }

    // The package's file name as passed to CaricaSkin.
    QString SkinName() const { return m_skinName; }
    void setSkinName(const QString& name) { m_skinName = name; }

    const Locations& locations() const { return m_locations; }

    // The keys in table order, as stored (for tools and tests).
    QStringList keys() const;

    // False when the working folder was refused as unsafe while loading; nothing was read then.
    bool workFolderUsable() const { return m_workFolderUsable; }
    // Why it was refused, in Italian, for the messages of what later cannot be written there.
    QString workFolderRefusal() const { return m_workFolderRefusal; }

    // Reads a skin.ini over the table exactly as loading a package does (parameters, then the
    // credits after "[info]"), without unpacking anything. For tools that build or inspect an
    // unpacked skin folder.
    void LeggiParametri(QIODevice* device);

    // Splits a parameter line into key and value; false when the key cannot be formed ("="
    // first). The character right before "=" is dropped: writers put a blank there.
    static bool DividiRiga(const QString& line, QString* value, QString* key);

private:
    void LeggiSkin(const QString& path, const QString& name);
    bool AggiungiRiga(const QString& line); // false ends the reading

    Locations m_locations;
    QString m_skinPath;
    QString m_skinName;
    bool m_workFolderUsable = true;
    QString m_workFolderRefusal;

    struct Entry {
        QString key; // as given by the latest AddInfo
        QVariant value;
        quint64 order;
    };
    // Replacing an entry moves it to the end; a sequence number keeps that cheap even for a
    // skin.ini of millions of lines.
    QHash<QString, Entry> m_table;      // lower-cased key -> entry
    std::map<quint64, QString> m_order; // order -> lower-cased key
    quint64 m_nextOrder = 0;
};

// Skins are shared by reference between the main window, the list and the dialogs.
using SkinRef = std::shared_ptr<cSkin>;
