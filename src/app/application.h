#pragma once

#include "common/language.h"
#include "common/locations.h"

#include <QLockFile>
#include <QStringList>
#include <memory>

class QApplication;
class MessageBoxErrorReporter;
class UserPrompts;
class RecoveryKeeper;
class RecoveryStore;
class ScopedErrorReporter;
class SingleInstance;
class frmMain;

// What every program with the editor's windows sets up before showing them: names, the texts in
// `language` (kItalian or kEnglish; Qt's standard buttons too, "Sì"/"Yes"), the list font, and
// the value dialogs for each kind of setting.
void setUpApplication(QApplication& app, const QString& language = kItalian);

// Registers the dialog of every item kind with the launcher, and the colour picker function.
void registerValueDialogs();

// Held by a running editor for as long as it runs. Every editor unpacks into the same working
// folder, so a second one would empty it under the first, and the first would then pack the
// second one's files into its own package on saving.
class WorkFolderLock {
public:
    explicit WorkFolderLock(const Locations& locations);
    // False when another running editor holds it. A lock left by a crashed one, and anything at
    // the lock's path that names no owner (empty, garbage, a folder, a link), is taken over.
    bool acquire();
    // The lock file, for the message that tells the user which file keeps the editor out.
    QString path() const;

private:
    QLockFile m_lock;
};

// One start of the editor, from its command line to the window. A later start hands its package
// to the running editor and ends; the first one takes the working folder, offers the unsaved
// changes a crashed editor left behind, and only then opens the package it was given.
class EditorStart {
public:
    enum class Result {
        Running,    // the window is up: run the event loop
        HandedOver, // a running editor took over: end with success
        Refused,    // another editor holds the working folder and does not answer
    };

    // Recovery copies go to `recoveryFolder` (the user's data folder + "/recovery" when empty).
    // The editor asks the user through `prompts` (kept by the caller), or through message boxes
    // and dialogs of its own when none is given.
    explicit EditorStart(Locations locations, const QString& recoveryFolder = {},
                         UserPrompts* prompts = nullptr);
    ~EditorStart();
    EditorStart(const EditorStart&) = delete;
    EditorStart& operator=(const EditorStart&) = delete;

    // `arguments` without the program's name: at most one package.
    Result start(const QStringList& arguments);

    frmMain* window() const { return m_window.get(); }
    RecoveryKeeper* keeper() const { return m_keeper.get(); }

private:
    void offerRecovery(bool crashed);
    void bringToFront(const QString& package);

    Locations m_locations;
    std::unique_ptr<UserPrompts> m_ownPrompts;
    UserPrompts* m_prompts;
    std::unique_ptr<RecoveryStore> m_store;
    std::unique_ptr<WorkFolderLock> m_lock;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<frmMain> m_window;
    std::unique_ptr<MessageBoxErrorReporter> m_reporter;
    std::unique_ptr<ScopedErrorReporter> m_reporterScope;
    std::unique_ptr<RecoveryKeeper> m_keeper;
};
