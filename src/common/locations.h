#pragma once

#include <QString>

// Every place the program reads or writes, derived from two folders: the program's own (where
// the executable, "modello.dat" and the "skins" folder lie) and the temporary folder (which holds
// the working folder). Core code takes them as parameters so tests can point them anywhere.
struct Locations {
    QString programDir; // without a trailing separator
    QString tempDir;    // without a trailing separator

    // The skins folder, ending in a separator.
    QString skinsDir() const { return programDir + QStringLiteral("/skins/"); }
    // The working folder into which a package is unpacked, without a trailing separator.
    QString workDir() const { return tempDir + QStringLiteral("/QuenlarkSkin"); }
    QString templatePath() const { return programDir + QStringLiteral("/modello.dat"); }
    QString defaultSkinName() const { return QStringLiteral("(default).skn"); }
    QString settingsPackagePath() const { return programDir + QStringLiteral("/quenlark.ini"); }

    // The application's folder and the host's temporary folder.
    static Locations forApplication();
};
