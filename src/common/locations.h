#pragma once

#include <QString>

// Every place the program reads or writes, derived from two folders: the program's own (where
// the executable, "modello.dat" and the "skins" folder lie) and the temporary folder (which holds
// the working folder). Core code takes them as parameters so tests can point them anywhere.
struct Locations {
    QString programDir; // without a trailing separator
    QString tempDir;    // without a trailing separator
    // The user's own runtime folder, where the editor's lock lives; the temporary folder when
    // empty. Without a trailing separator.
    QString runtimeDir;

    // The skins folder, ending in a separator.
    QString skinsDir() const { return programDir + QStringLiteral("/skins/"); }
    // The working folder into which a package is unpacked, without a trailing separator.
    QString workDir() const { return tempDir + QStringLiteral("/QuenlarkSkin"); }
    QString templatePath() const { return programDir + QStringLiteral("/modello.dat"); }
    QString defaultSkinName() const { return QStringLiteral("(default).skn"); }
    QString settingsPackagePath() const { return programDir + QStringLiteral("/quenlark.ini"); }
    // The lock a running editor holds.
    QString lockPath() const {
        return (runtimeDir.isEmpty() ? tempDir : runtimeDir) + QStringLiteral("/tessellary.lock");
    }

    // The application's folder, and the user's own temporary area: $TMPDIR when it is set,
    // otherwise the user's runtime folder ($XDG_RUNTIME_DIR, or the private one Qt makes), which
    // no other user can enter. The lock goes in the runtime folder when there is one.
    static Locations forApplication();
    // For the command line, which holds no lock and opens skins only in private folders of its
    // own: the application's folder and the host's temporary folder.
    static Locations forCommandLine();
};
