#pragma once

#include <QString>

// Every place the program reads or writes, derived from two folders: the program's own (where
// the executable, "modello.dat" and the "skins" folder lie) and the temporary folder (which holds
// the working folder). Core code takes them as parameters so tests can point them anywhere.
//
// An installed editor has no "skins" folder beside it: its bundled files lie in
// ../share/tessellary and the user's skins in the user's data folder. The two optional folders
// below say so; left empty, everything is in the program's folder, as in a portable copy.
struct Locations {
    QString programDir; // without a trailing separator
    QString tempDir;    // without a trailing separator
    // The user's own runtime folder, where the editor's lock lives; the temporary folder when
    // empty. Without a trailing separator.
    QString runtimeDir;
    // The skins folder when it is not the program's "skins", without a trailing separator.
    QString userSkinsDir;
    // The read-only bundled files (template, default skin, translations) when they are not in
    // the program's folder, without a trailing separator.
    QString shareDir;

    // The skins folder, ending in a separator.
    QString skinsDir() const {
        return userSkinsDir.isEmpty() ? programDir + QStringLiteral("/skins/")
                                      : userSkinsDir + u'/';
    }
    // The working folder into which a package is unpacked, without a trailing separator.
    QString workDir() const { return tempDir + QStringLiteral("/QuenlarkSkin"); }
    QString bundleDir() const { return shareDir.isEmpty() ? programDir : shareDir; }
    QString templatePath() const { return bundleDir() + QStringLiteral("/modello.dat"); }
    QString translationsDir() const { return bundleDir() + QStringLiteral("/translations"); }
    QString defaultSkinName() const { return QStringLiteral("(default).skn"); }
    QString settingsPackagePath() const { return programDir + QStringLiteral("/quenlark.ini"); }
    // The lock a running editor holds.
    QString lockPath() const {
        return (runtimeDir.isEmpty() ? tempDir : runtimeDir) + QStringLiteral("/tessellary.lock");
    }
    // Where the running editor listens for later starts, beside its lock.
    QString instanceSocketPath() const {
        return (runtimeDir.isEmpty() ? tempDir : runtimeDir) + QStringLiteral("/tessellary.sock");
    }

    // The application's folder, and the user's own temporary area: $TMPDIR when it is set,
    // otherwise the user's runtime folder ($XDG_RUNTIME_DIR, or the private one Qt makes), which
    // no other user can enter. The lock goes in the runtime folder when there is one.
    // An executable with a "skins" folder beside it is a portable copy; one with
    // ../share/tessellary is installed and keeps the skins in the user's data folder.
    static Locations forApplication();
    // For the command line, which holds no lock and opens skins only in private folders of its
    // own: the application's folder and the host's temporary folder.
    static Locations forCommandLine();

    // For an installed editor: creates the user's skins folder and copies the bundled default
    // skin into it when it has none. False when the folder cannot be made; nothing to do for a
    // portable copy.
    bool prepareSkinsDir() const;
};
