#include "frmmain.h"

#include "app/packagepaths.h"
#include "common/cp1252.h"
#include "common/errors.h"
#include "common/filenames.h"
#include "dialogkit/colourpicker.h"
#include "dialogkit/userprompts.h"
#include "preview/previewpane.h"
#include "proplist/uadvlist.h"
#include "skin/skindocument.h"
#include "skin/skinschema.h"
#include "storage/cbinary.h"
#include "storage/safefolder.h"
#include "validate/problemspanel.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace {

std::function<void(const QString&)>& openFolderHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

} // namespace

frmMain::frmMain(const Locations& locations, QWidget* parent)
    : QMainWindow(parent), m_locations(locations) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kAppTitle);

    splMain = new QSplitter(Qt::Horizontal, this);
    splMain->setObjectName(QStringLiteral("splMain"));
    splMain->setChildrenCollapsible(false);
    pctList = new QWidget(splMain);
    pctList->setObjectName(QStringLiteral("pctList"));
    pctList->setMinimumWidth(260);
    lstOpt = new uAdvList(pctList);
    lstOpt->setObjectName(QStringLiteral("lstOpt"));
    pctList->installEventFilter(this);
    splMain->addWidget(pctList);
    setCentralWidget(splMain);
    connect(lstOpt, &uAdvList::ModItem, this, &frmMain::onModItem);
    connect(&m_closing, &ClosingNotifier::Closing, this, &frmMain::Closing);
    // The colour picker offers the open skin's colours also when an editor calls it.
    setOpenSkinSource(this, [this] { return mSkin; });

    buildMenus();
    buildPanes();
    // F10 reaches the menu bar as Alt does, as desktop users expect on every platform.
    auto* toMenus = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(toMenus, &QShortcut::activated, this, [this] {
        if (!menuBar()->actions().isEmpty())
            menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });
    fillSkinMenu();
    bindHistory();
    updateActions();
}

void frmMain::buildPanes() {
    fraPreview = new QWidget(splMain);
    fraPreview->setObjectName(QStringLiteral("fraPreview"));
    auto* layout = new QVBoxLayout(fraPreview);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    auto* title = new QLabel(tr("Anteprima"), fraPreview);
    title->setObjectName(QStringLiteral("lblPreview"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    m_preview = new PreviewPane(fraPreview);
    m_preview->setObjectName(QStringLiteral("pvwSkin"));
    layout->addWidget(m_preview, 1);
    splMain->addWidget(fraPreview);
    splMain->setStretchFactor(0, 0);
    splMain->setStretchFactor(1, 1);
    connect(m_preview, &PreviewPane::elementClicked, this, &frmMain::selectSetting);
    connect(m_preview, &PreviewPane::elementActivated, this, [this](const QString& key) {
        if (mSkin)
            lstOpt->activateKey(key);
    });
    connect(lstOpt, &uAdvList::highlightChanged, m_preview, &PreviewPane::outlineKey);

    dckProblems = new QDockWidget(tr("Verifica skin"), this);
    dckProblems->setObjectName(QStringLiteral("dckProblems"));
    m_problems = new ProblemsPanel(dckProblems);
    m_problems->setObjectName(QStringLiteral("pnlProblems"));
    dckProblems->setWidget(m_problems);
    addDockWidget(Qt::BottomDockWidgetArea, dckProblems);
    dckProblems->hide();
    // A few lines of problems, not half the window: the list stays the main thing.
    connect(dckProblems, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && !dckProblems->isFloating())
            resizeDocks({dckProblems}, {150}, Qt::Vertical);
    });
    connect(m_problems, &ProblemsPanel::problemActivated, this, [this](const QString& key) {
        selectSetting(key);
        m_preview->outlineKey(key);
    });
    // A document is made for every skin opened; both panes follow the one shown.
    connect(this, &frmMain::documentReplaced, this, [this](SkinDocument* document) {
        m_preview->setDocument(document);
        m_problems->setDocument(document);
    });

    mnuCheck = dckProblems->toggleViewAction();
    mnuCheck->setText(tr("&Verifica skin"));
    mnuCheck->setObjectName(QStringLiteral("mnuCheck"));
    // The panel's own show/hide action, so that closing the panel unticks it.
    QMenu* options = menuBar()->findChild<QMenu*>(QStringLiteral("mnuOptions"));
    options->insertAction(options->findChild<QAction*>(QStringLiteral("sep2")), mnuCheck);
    QSettings settings;
    const bool shown = settings.value(QStringLiteral("anteprima/visibile"), true).toBool();
    const QByteArray sizes = settings.value(QStringLiteral("anteprima/divisore")).toByteArray();
    {
        // Only a choice of the user is remembered, not the one read back.
        const QSignalBlocker quiet(mnuPreview);
        mnuPreview->setChecked(shown);
    }
    showPreview(shown);
    if (!sizes.isEmpty())
        splMain->restoreState(sizes);
    connect(splMain, &QSplitter::splitterMoved, this, [this] {
        QSettings().setValue(QStringLiteral("anteprima/divisore"), splMain->saveState());
    });
}

void frmMain::showPreview(bool shown) {
    // The list keeps its width; the window grows or shrinks by the pane's.
    const int listWidth = pctList->width() > 0 && isVisible() ? pctList->width() : 420;
    fraPreview->setVisible(shown);
    const int paneWidth = shown ? fraPreview->sizeHint().width() + splMain->handleWidth() : 0;
    resize(listWidth + paneWidth, isVisible() ? height() : 640);
    if (shown)
        splMain->setSizes({listWidth, fraPreview->sizeHint().width()});
}

void frmMain::selectSetting(const QString& key) {
    if (mSkin)
        lstOpt->selectKey(key);
}

void frmMain::pendingChanged(const cSetting* launcher,
                             const QList<std::pair<QString, QVariant>>& values,
                             const QList<std::pair<QString, QImage>>& pictures) {
    if (m_tearingDown)
        return;
    const auto it = std::find_if(m_pending.begin(), m_pending.end(),
                                 [launcher](const Pending& p) { return p.launcher == launcher; });
    if (values.isEmpty() && pictures.isEmpty()) {
        if (it != m_pending.end())
            m_pending.erase(it);
    } else if (it != m_pending.end()) {
        it->values = values;
        it->pictures = pictures;
    } else {
        m_pending.append({launcher, values, pictures});
    }
    refreshOverlay();
}

void frmMain::refreshOverlay() {
    if (m_pending.isEmpty()) {
        m_preview->clearOverlay();
        return;
    }
    PreviewOverlay overlay;
    for (const Pending& p : m_pending) {
        overlay.setValues(p.values);
        for (const auto& [name, image] : p.pictures)
            overlay.setPicture(name, image);
    }
    m_preview->setOverlay(overlay);
}

frmMain::~frmMain() {
    m_tearingDown = true;
    // Launchers listen to m_closing, which dies with this window; drop them first.
    mSettings.clear();
    // The document outlives this part of the window inside the list; it must not reach the
    // menus of a window being destroyed.
    disconnect(m_historyConnections[0]);
    disconnect(m_historyConnections[1]);
}

void frmMain::setOpenFolderHandler(std::function<void(const QString&)> handler) {
    openFolderHandler() = std::move(handler);
}

void frmMain::setPrompts(UserPrompts* prompts) {
    m_prompts = prompts;
    lstOpt->setPrompts(prompts);
}

SettingList* frmMain::settingsList() {
    return lstOpt->model();
}

void frmMain::buildMenus() {
    QMenu* mnuSkins = menuBar()->addMenu(tr("&Skins"));
    mnuSkins->setObjectName(QStringLiteral("mnuSkins"));

    QAction* mnuNew = mnuSkins->addAction(tr("&Nuovo"));
    mnuNew->setObjectName(QStringLiteral("mnuNew"));
    mnuNew->setShortcut(QKeySequence::New);
    connect(mnuNew, &QAction::triggered, this, &frmMain::NewSkin);

    QAction* mnuOpen = mnuSkins->addAction(tr("&Apri…"));
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuOpen->setShortcut(QKeySequence::Open);
    connect(mnuOpen, &QAction::triggered, this, &frmMain::OpenSkinFile);

    mnuLoad = mnuSkins->addMenu(tr("&Carica"));
    mnuLoad->setObjectName(QStringLiteral("mnuLoad"));
    // Listed afresh each time, so that a skin made since (with "Nuovo", or by another program)
    // is there at once.
    connect(mnuLoad, &QMenu::aboutToShow, this, [this] {
        mnuLoad->clear();
        mnuSkin.clear();
        fillSkinMenu();
    });

    mnuRecent = mnuSkins->addMenu(tr("&Recenti"));
    mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    connect(mnuRecent, &QMenu::aboutToShow, this, [this] {
        m_recent.fillMenu(mnuRecent, [this](const QString& path) { OpenPackage(path); });
    });

    mnuSave = mnuSkins->addAction(tr("&Salva"));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuSave->setShortcut(QKeySequence::Save);
    connect(mnuSave, &QAction::triggered, this, &frmMain::SaveSkin);

    mnuClose = mnuSkins->addAction(tr("C&hiudi"));
    mnuClose->setObjectName(QStringLiteral("mnuClose"));
    mnuClose->setShortcut(QKeySequence::Close);
    connect(mnuClose, &QAction::triggered, this, &frmMain::CloseSkin);

    mnuSkins->addSeparator()->setObjectName(QStringLiteral("sep1"));

    QAction* mnuExit = mnuSkins->addAction(tr("&Esci"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuExit->setShortcut(QKeySequence::Quit);
    connect(mnuExit, &QAction::triggered, this, &frmMain::Exit);

    QMenu* mnuEdit = menuBar()->addMenu(tr("&Modifica"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuUndo = mnuEdit->addAction(tr("&Annulla"));
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcut(QKeySequence::Undo);
    connect(mnuUndo, &QAction::triggered, this, &frmMain::Undo);
    mnuRedo = mnuEdit->addAction(tr("&Ripeti"));
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(mnuRedo, &QAction::triggered, this, &frmMain::Redo);

    QMenu* mnuOptions = menuBar()->addMenu(tr("&Opzioni"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));

    mnuSCredits = mnuOptions->addAction(tr("&Skin Credits"));
    mnuSCredits->setObjectName(QStringLiteral("mnuSCredits"));
    connect(mnuSCredits, &QAction::triggered, this, &frmMain::EditCredits);

    mnuPreview = mnuOptions->addAction(tr("A&nteprima"));
    mnuPreview->setObjectName(QStringLiteral("mnuPreview"));
    mnuPreview->setCheckable(true);
    connect(mnuPreview, &QAction::toggled, this, [this](bool shown) {
        showPreview(shown);
        QSettings().setValue(QStringLiteral("anteprima/visibile"), shown);
    });
    mnuOptions->addSeparator()->setObjectName(QStringLiteral("sep2"));

    mnuBrowse = mnuOptions->addAction(tr("Apri &cartella skin"));
    mnuBrowse->setObjectName(QStringLiteral("mnuBrowse"));
    connect(mnuBrowse, &QAction::triggered, this, &frmMain::OpenWorkingFolder);
}

void frmMain::fillSkinMenu() {
    // The host's folder listing comes in no particular order; sort as a Windows folder listing
    // would, without regard to case.
    QDir dir(m_locations.skinsDir());
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    QStringList names;
    for (const QFileInfo& fi : entries) {
        const QString name = fi.fileName().trimmed();
        if (name.size() >= 4 && name.endsWith(QStringLiteral(".skn"), Qt::CaseSensitive))
            names << name;
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    if (names.size() > 32767)
        names = names.mid(0, 32767);

    if (names.isEmpty()) {
        // The placeholder stays, disabled: there is no package to open.
        QAction* placeholder = mnuLoad->addAction(QStringLiteral("Skin0"));
        placeholder->setObjectName(QStringLiteral("mnuSkin0"));
        placeholder->setEnabled(false);
        mnuSkin << placeholder;
        return;
    }
    for (int i = 0; i < names.size(); ++i) {
        QAction* a = mnuLoad->addAction(names[i]);
        a->setObjectName(QStringLiteral("mnuSkin") + QString::number(i));
        connect(a, &QAction::triggered, this, [this, i] { LoadSkin(i); });
        mnuSkin << a;
    }
}

QStringList frmMain::skinMenuNames() const {
    QStringList out;
    for (const QAction* a : mnuSkin)
        out << a->text();
    return out;
}

void frmMain::updateActions() {
    const bool open = mSkin != nullptr;
    mnuSave->setEnabled(open);
    mnuClose->setEnabled(open);
    mnuSCredits->setEnabled(open);
    mnuBrowse->setEnabled(open);
}

bool frmMain::hasUnsavedChanges() const {
    return mSkin && lstOpt->model()->Modified();
}

bool frmMain::settleOpenEditors() {
    QList<std::shared_ptr<cSetting>> pending;
    for (const std::shared_ptr<cSetting>& launcher : mSettings) {
        if (ValueDialog* dialog = launcher->dialog(); dialog && dialog->hasUnconfirmedChanges())
            pending << launcher;
    }
    if (pending.isEmpty())
        return true;
    for (const std::shared_ptr<cSetting>& launcher : pending) {
        launcher->form()->show();
        launcher->form()->raise();
    }
    const auto answer = userPrompts().question(
        this, tr("Ci sono modifiche non confermate negli editor aperti. Applicarle?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == UserPrompts::Cancel)
        return false;
    for (const std::shared_ptr<cSetting>& launcher : pending) {
        // The question's own event loop may have closed a dialog meanwhile.
        ValueDialog* dialog = launcher->dialog();
        if (!dialog)
            continue;
        if (answer == UserPrompts::No)
            launcher->form()->close();
        else if (!dialog->confirmChanges())
            return false;
    }
    return true;
}

int frmMain::ConfermaChiusura() {
    // Edits still open in a dialog would be dropped with the skin: ask about them first, so
    // that the ones applied count among the changes to save.
    if (mSkin && !settleOpenEditors())
        return Cancel;
    while (hasUnsavedChanges()) {
        const auto answer =
            userPrompts().question(this, tr("Salvi le modifiche allo skin corrente?"),
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == UserPrompts::Yes) {
            // A save that failed was reported; the changes are still unsaved, so ask again: the
            // user may retry, discard them or cancel.
            if (SalvaSkin())
                return Yes;
            continue;
        }
        return answer == UserPrompts::No ? No : Cancel;
    }
    return Yes;
}

bool frmMain::SalvaSkin() {
    if (!mSkin || !m_doc)
        return true;
    if (!settleOpenEditors())
        return false;
    PropListModel* model = lstOpt->model();
    const SkinDocument::Outcome saved =
        m_doc->save(model->parametersText(), model->GetFilesList(),
                    model->RetrData(QStringLiteral("Title")).toString());
    // Shown once the save has returned; a failed one leaves the changes unsaved.
    if (!saved.error.isEmpty())
        userPrompts().critical(this, saved.error);
    if (saved.ok) {
        // A skin with errors is saved all the same (it may be work in progress), but not
        // silently.
        m_problems->refresh();
        if (m_problems->errorCount() > 0)
            statusBar()->showMessage(
                tr("Skin salvato con %1 problemi (%2 errori): vedi Opzioni › Verifica skin.")
                    .arg(m_problems->count())
                    .arg(m_problems->errorCount()));
        else
            statusBar()->clearMessage();
    }
    return saved.ok;
}

void frmMain::CostruisciLista() {
    loadSkinSchema(*lstOpt->model(), mSkin);
    mSkin = lstOpt->model()->skin();
}

// A package removed since the menu was built, or a file that only has the extension, would open
// as an empty or default skin under that name, and saving would then overwrite the file without
// the user ever having been told. Refused before anything of the open skin is touched.
bool frmMain::canOpenPackage(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        userPrompts().critical(this, errorMessageText(int(ErrorCode::FileNotFound),
                                                      errorDescription(ErrorCode::FileNotFound) +
                                                          QStringLiteral(": ") + path));
        return false;
    }
    if (!cBinary::HaFirmaSkin(path)) {
        userPrompts().critical(this, tr("Il file non è un pacchetto skin: %1").arg(path));
        return false;
    }
    return true;
}

void frmMain::LoadSkin(int index) {
    if (index < 0 || index >= mnuSkin.size())
        return;
    const QString name = mnuSkin[index]->text();
    if (!canOpenPackage(m_locations.skinsDir() + name))
        return;
    if (ConfermaChiusura() == Cancel)
        return;
    // The working folder is about to hold the other skin: a dialog left open for this one would
    // store its value into the other skin's list, and the bitmap editor would write its picture
    // among the other skin's files.
    raiseClosing();
    openSkin(name);
}

bool frmMain::OpenPackage(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    if (!canOpenPackage(full))
        return false;
    if (ConfermaChiusura() == Cancel)
        return false;
    // As for Load: the dialogs of the skin being replaced must not outlive it.
    raiseClosing();
    openSkin(packagepaths::documentName(m_locations, full));
    return true;
}

void frmMain::OpenSkinFile() {
    const QString folder =
        mSkin ? QFileInfo(packagepaths::fullPath(m_locations, mSkin->SkinName())).path()
              : m_locations.skinsDir();
    const QString path = userPrompts().openFileName(this, tr("Apri skin"), folder,
                                                    tr("Skin (*.skn);;Tutti i file (*)"));
    if (!path.isEmpty())
        OpenPackage(path);
}

void frmMain::RestoreSkin(const QString& copy, const QString& name) {
    raiseClosing();
    openSkin(name, copy);
}

void frmMain::openSkin(const QString& name, const QString& from) {
    setWindowTitle(kAppTitle + QStringLiteral(" [") + packagepaths::shownName(name) +
                   QStringLiteral("][*]"));
    auto document = std::make_shared<SkinDocument>(nullptr);
    const SkinDocument::Outcome opened = document->open(m_locations, from.isEmpty() ? name : from);
    if (!opened.error.isEmpty())
        userPrompts().critical(this, opened.error);
    if (!from.isEmpty()) {
        // What was read is the skin's unsaved state: saving must write the skin's own package,
        // and closing must ask first.
        document->skin()->setSkinName(name);
        document->undoStack()->resetClean();
    }
    setWindowModified(document->isModified());
    connect(document.get(), &SkinDocument::modifiedChanged, this,
            [this, doc = document.get()](bool modified) {
                // A replaced document kept alive by a holder says nothing about this caption.
                if (m_doc.get() == doc)
                    setWindowModified(modified);
            });
    m_recent.add(packagepaths::fullPath(m_locations, name));
    m_doc = document;
    mSkin = m_doc->skin();
    lstOpt->model()->setDocument(m_doc);
    CostruisciLista();
    // A new history: what was done to the other skin cannot be undone in this one.
    bindHistory();
    updateActions();
    // Ready for the keyboard at once, with no row highlighted yet.
    lstOpt->setFocus();
    Q_EMIT documentReplaced(m_doc.get());
}

bool frmMain::copyTemplate(const QString& target) {
    QFile source(m_locations.templatePath());
    if (!source.open(QIODevice::ReadOnly)) {
        userPrompts().critical(
            this, errorMessageText(
                      int(ErrorCode::FileNotFound),
                      tr("Impossibile leggere il modello %1").arg(m_locations.templatePath())));
        return false;
    }
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        userPrompts().critical(
            this, errorMessageText(
                      int(ErrorCode::DeviceIO),
                      tr("Impossibile leggere il modello %1").arg(m_locations.templatePath())));
        return false;
    }
    // The package appears whole or not at all.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush() ||
        !out.commit()) {
        out.cancelWriting();
        userPrompts().critical(this, errorMessageText(int(ErrorCode::PathFileAccess),
                                                      tr("Impossibile creare %1").arg(target)));
        return false;
    }
    return true;
}

void frmMain::NewSkin() {
    if (ConfermaChiusura() == Cancel)
        return;
    QString name = userPrompts().inputText(
        this,
        tr("Inserisci un nome per il tuo skin\r\nNB: Il nome non corrisponde al titolo, ma e' "
           "soltanto il nome che verra' dato al file .skn"),
        kAppTitle);
    // Dismissed or empty: whatever was open stays open, unchanged.
    if (name.isEmpty())
        return;
    if (name.right(4).toLower() != QStringLiteral(".skn"))
        name += QStringLiteral(".skn");
    if (!isPlainFileName(name)) {
        userPrompts().critical(this, tr("Il nome \"%1\" non è un nome di file valido.").arg(name));
        return;
    }
    const QString target = m_locations.skinsDir() + name;
    if (QFileInfo::exists(target)) {
        // Replacing destroys the existing package: a reflexive Enter or Esc must keep it.
        if (userPrompts().question(this, tr("Esiste già uno skin con questo nome. Sostituirlo?"),
                                   QMessageBox::Yes | QMessageBox::No,
                                   QMessageBox::No) != UserPrompts::Yes)
            return;
    }
    // As for Load: the dialogs of the skin being replaced must not outlive it.
    raiseClosing();
    if (!copyTemplate(target)) {
        // Nothing usable to open: end with no skin open.
        lstOpt->model()->Clear();
        lstOpt->model()->Ready(nullptr);
        dropSkin();
        return;
    }
    openSkin(name);
}

void frmMain::SaveSkin() {
    SalvaSkin();
}

void frmMain::dropSkin() {
    setWindowTitle(kAppTitle);
    setWindowModified(false);
    mSkin.reset();
    m_doc.reset();
    Q_EMIT documentReplaced(nullptr);
    bindHistory();
    updateActions();
}

void frmMain::bindHistory() {
    disconnect(m_historyConnections[0]);
    disconnect(m_historyConnections[1]);
    const auto refresh = [this] {
        QUndoStack* stack = m_doc ? m_doc->undoStack() : nullptr;
        const bool canUndo = stack && stack->canUndo();
        const bool canRedo = stack && stack->canRedo();
        mnuUndo->setEnabled(canUndo);
        mnuRedo->setEnabled(canRedo);
        // A caption's own "&" is no access key.
        const auto shown = [](QString text) {
            return text.replace(QLatin1Char('&'), "&&");
        };
        mnuUndo->setText(canUndo ? tr("&Annulla: %1").arg(shown(stack->undoText()))
                                 : tr("&Annulla"));
        mnuRedo->setText(canRedo ? tr("&Ripeti: %1").arg(shown(stack->redoText())) : tr("&Ripeti"));
    };
    if (m_doc) {
        m_historyConnections[0] =
            connect(m_doc->undoStack(), &QUndoStack::indexChanged, this, refresh);
        m_historyConnections[1] =
            connect(m_doc->undoStack(), &QUndoStack::cleanChanged, this, refresh);
    }
    refresh();
}

void frmMain::Undo() {
    if (m_doc)
        m_doc->undoStack()->undo();
}

void frmMain::Redo() {
    if (m_doc)
        m_doc->undoStack()->redo();
}

void frmMain::raiseClosing() {
    m_closing.raise();
}

void frmMain::CloseSkin() {
    if (ConfermaChiusura() == Cancel)
        return;
    raiseClosing();
    lstOpt->model()->Clear();
    lstOpt->model()->Ready(nullptr);
    dropSkin();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (ConfermaChiusura() == Cancel) {
        event->ignore();
        return;
    }
    // The dialogs keep their launchers alive until the Closing event closes them.
    mSettings.clear();
    mSkin.reset();
    raiseClosing();
    event->accept();
}

void frmMain::Exit() {
    close();
}

void frmMain::EditCredits() {
    if (!mSkin)
        return;
    const QString edited = userPrompts().editCredits(this, credits());
    if (m_doc && edited != credits())
        m_doc->setCredits(edited);
}

void frmMain::OpenWorkingFolder() {
    if (!mSkin)
        return;
    const QString folder = mSkin->SkinPath();
    if (openFolderHandler()) {
        openFolderHandler()(folder);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void frmMain::onModItem(const QString& key) {
    auto launcher = cSetting::create();
    launcher->Init(key, this, mSkin);
    mSettings.push_back(std::move(launcher));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pctList && event->type() == QEvent::Resize) {
        // The list fills the panel; below 10 pixels it keeps its height.
        const double d = pctList->height() - lstOpt->y();
        lstOpt->setGeometry(lstOpt->x(), lstOpt->y(), pctList->width(), lstOpt->height());
        if (d >= 10) {
            lstOpt->resize(pctList->width(), int(d));
            lstOpt->Redraw();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
