#pragma once

#include "app/recentskins.h"
#include "common/locations.h"
#include "dialogkit/csetting.h"
#include "skin/cskin.h"
#include "skin/skindocument.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class PreviewPane;
class ProblemsPanel;
class QAction;
class QDockWidget;
class QMenu;
class QSplitter;
class uAdvList;

// The program's only top-level window: lists the packages of the skins folder, opens one (or
// creates one from the template), shows its settings in the property list, starts a value editor
// for every edit request, and saves the skin back into its package.
class frmMain : public QMainWindow, public SettingHost {
    Q_OBJECT
public:
    explicit frmMain(const Locations& locations, QWidget* parent = nullptr);
    ~frmMain() override;

    // Answer codes of the save question.
    enum Answer { Yes = 6, No = 7, Cancel = 2 };

    // Asks whether to save unsaved changes (saving on Yes, asking again when the save fails).
    int ConfermaChiusura();
    // Writes the open skin back into its package; false when anything failed (it was reported).
    bool SalvaSkin();
    void CostruisciLista();

    // Menu handlers.
    void NewSkin();
    void LoadSkin(int index);
    // "Apri…": a package chosen anywhere with a file dialog, opened as Load opens one.
    void OpenSkinFile();
    // Opens the package at `path` as Load does, asking about unsaved changes first; one outside
    // the skins folder is saved back where it lives. False when nothing was opened.
    bool OpenPackage(const QString& path);
    // Opens the recovery copy at `copy` as the skin `name` (a document name), with its changes
    // unsaved, so that saving writes the skin's own package.
    void RestoreSkin(const QString& copy, const QString& name);
    void SaveSkin();
    void CloseSkin();
    void Exit();
    void EditCredits();
    void OpenWorkingFolder();
    void Undo();
    void Redo();

    // --- SettingHost ---
    SettingList* settingsList() override;
    QWidget* settingsOwner() override { return this; }
    ClosingNotifier* closingNotifier() override { return &m_closing; }
    UserPrompts* prompts() override { return m_prompts; }

    // Through which the window, its list and the dialogs it starts ask and tell the user; until
    // it is set they ask nothing (see orUnattended).
    void setPrompts(UserPrompts* prompts);
    void pendingChanged(const cSetting* launcher, const QList<std::pair<QString, QVariant>>& values,
                        const QList<std::pair<QString, QImage>>& pictures) override;

    // --- state, for tests and tools ---
    SkinRef skin() const { return mSkin; }
    QString credits() const { return m_doc ? m_doc->credits() : QString(); }
    const std::shared_ptr<SkinDocument>& document() const { return m_doc; }
    uAdvList* list() const { return lstOpt; }
    PreviewPane* preview() const { return m_preview; }
    ProblemsPanel* problems() const { return m_problems; }
    QStringList skinMenuNames() const;
    const std::vector<std::shared_ptr<cSetting>>& launchers() const { return mSettings; }
    const Locations& locations() const { return m_locations; }

    // Test seam: what "Apri cartella skin" does with the folder (by default the desktop's file
    // browser opens it).
    static void setOpenFolderHandler(std::function<void(const QString&)> handler);

Q_SIGNALS:
    void Closing();
    // Another skin document (or none) took the window's.
    void documentReplaced(SkinDocument* document);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void fillSkinMenu();
    void onModItem(const QString& key);
    void raiseClosing();
    void dropSkin();
    bool hasUnsavedChanges() const;
    bool copyTemplate(const QString& target);
    bool canOpenPackage(const QString& path);
    void updateActions();
    // Opens the skin `name`, read from the package at `from` when given.
    void openSkin(const QString& name, const QString& from = {});
    void bindHistory();
    // Asks about edits not yet confirmed in open dialogs: applies them (Sì), drops them (No) or
    // stops what was about to happen (Annulla, false).
    bool settleOpenEditors();
    void buildPanes();
    void showPreview(bool shown);
    // Lays the pending edits of every open dialog over the preview.
    void refreshOverlay();
    // Selects the setting `key` in the list, as the preview and the problems panel ask.
    void selectSetting(const QString& key);

    UserPrompts& userPrompts() { return orUnattended(m_prompts); }

    Locations m_locations;
    UserPrompts* m_prompts = nullptr;
    SkinRef mSkin;
    std::shared_ptr<SkinDocument> m_doc;
    QMetaObject::Connection m_historyConnections[2];
    std::vector<std::shared_ptr<cSetting>> mSettings;
    ClosingNotifier m_closing;

    QSplitter* splMain = nullptr;
    QWidget* pctList = nullptr;
    QWidget* fraPreview = nullptr;
    PreviewPane* m_preview = nullptr;
    QDockWidget* dckProblems = nullptr;
    ProblemsPanel* m_problems = nullptr;
    QAction* mnuPreview = nullptr;
    QAction* mnuCheck = nullptr;
    // The pending edits of the open dialogs, by launcher, in the order they were opened.
    struct Pending {
        const cSetting* launcher;
        QList<std::pair<QString, QVariant>> values;
        QList<std::pair<QString, QImage>> pictures;
    };
    QList<Pending> m_pending;
    bool m_tearingDown = false;
    uAdvList* lstOpt = nullptr;
    QMenu* mnuLoad = nullptr;
    QMenu* mnuRecent = nullptr;
    RecentSkins m_recent;
    QList<QAction*> mnuSkin;
    QAction* mnuSave = nullptr;
    QAction* mnuClose = nullptr;
    QAction* mnuSCredits = nullptr;
    QAction* mnuBrowse = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
};
