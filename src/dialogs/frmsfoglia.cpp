#include "frmsfoglia.h"

#include "dialogkit/dialoglayout.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>

namespace {

constexpr int kPathRole = Qt::UserRole;

// The folder list: every folder it shows is open or a leaf, so it draws no expand arrows.
class FolderTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}
};

// The dialog Sfoglia is showing, for the tests of the dialog itself.
QPointer<frmSfoglia>& shownInstance() {
    static QPointer<frmSfoglia> instance;
    return instance;
}

QString cleanFolder(const QString& folder) {
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

// The folder itself when it exists, else the nearest existing folder above it.
QString existingFolder(const QString& folder) {
    QString f = cleanFolder(folder.isEmpty() ? QDir::currentPath() : folder);
    while (!QFileInfo(f).isDir()) {
        const QString up = cleanFolder(f + QStringLiteral("/.."));
        if (up == f)
            return QDir::rootPath();
        f = up;
    }
    return f;
}

QString withSeparator(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

frmSfoglia::frmSfoglia(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSfoglia"));
    setWindowTitle(tr("Sfoglia..."));
    setFont(dialogFont());

    Drives = new QComboBox(this);
    Drives->setObjectName(QStringLiteral("Drives"));
    Drives->setGeometry(twipsRect(75, 75, 2190, 315));

    Dirs = new FolderTree(this);
    Dirs->setObjectName(QStringLiteral("Dirs"));
    Dirs->setGeometry(twipsRect(75, 450, 2190, 3915));
    Dirs->setHeaderHidden(true);
    Dirs->setRootIsDecorated(false);
    Dirs->setItemsExpandable(false);
    Dirs->setIndentation(10);
    Dirs->setSelectionMode(QAbstractItemView::SingleSelection);
    Dirs->installEventFilter(this);

    Files = new QListWidget(this);
    Files->setObjectName(QStringLiteral("Files"));
    Files->setGeometry(twipsRect(2325, 150, 3090, 4185));
    Files->setSelectionMode(QAbstractItemView::SingleSelection);

    txtFile = new QLineEdit(this);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setGeometry(twipsRect(75, 4425, 5340, 315));

    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(75, 4800, 2640, 315));
    cmdOK->setDefault(true);
    cmdAnnulla = new QPushButton(tr("Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdAnnulla->setGeometry(twipsRect(2775, 4800, 2640, 315));
    // Enter on the focused "Annulla" cancels; once the focus leaves it, Enter is "OK" again.
    cmdAnnulla->setAutoDefault(true);

    setTabOrder(Drives, Dirs);
    setTabOrder(Dirs, Files);
    setTabOrder(Files, cmdOK);
    setTabOrder(cmdOK, cmdAnnulla);
    setTabOrder(cmdAnnulla, txtFile);

    connect(Drives, &QComboBox::activated, this, &frmSfoglia::Drives_Change);
    connect(Dirs, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { cambiaCartella(item->data(0, kPathRole).toString()); });
    connect(Files, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { txtFile->setText(item->text()); });
    connect(Files, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = Files->selectedItems();
        if (!selected.isEmpty())
            txtFile->setText(selected.first()->text());
    });
    connect(Files, &QListWidget::itemDoubleClicked, cmdOK, &QPushButton::click);
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        mAnnullato = false;
        accept();
    });
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmSfoglia::cmdAnnulla_Click);

    setFixedSize(txtFile->geometry().right() + 1 + twipsToPixels(75),
                 cmdOK->geometry().bottom() + 1 + twipsToPixels(75));

    fillDrives();
    setDirInizio(QDir::currentPath());
}

void frmSfoglia::fillDrives() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            roots << cleanFolder(volume.rootPath());
    }
    roots << QDir::rootPath();
    roots.removeDuplicates();
    roots.sort(Qt::CaseInsensitive);
    for (const QString& root : roots)
        Drives->addItem(QDir::toNativeSeparators(root), root);
}

QString frmSfoglia::volumeOf(const QString& folder) {
    const QStorageInfo volume(folder);
    return volume.isValid() ? cleanFolder(volume.rootPath()) : QDir::rootPath();
}

void frmSfoglia::setDirInizio(const QString& Folder) {
    mDirInizio = Folder;
    cambiaCartella(existingFolder(Folder));
}

void frmSfoglia::setNomefile(const QString& Name) {
    txtFile->setText(Name);
}

QString frmSfoglia::Nomefile() const {
    if (mAnnullato)
        return QString();
    const QList<QListWidgetItem*> selected = Files->selectedItems();
    return selected.isEmpty() ? txtFile->text() : selected.first()->text();
}

QString frmSfoglia::Path() const {
    return withSeparator(mCartella);
}

void frmSfoglia::setConsentiCambio(bool allowed) {
    Drives->setEnabled(allowed);
    Dirs->setEnabled(allowed);
}

void frmSfoglia::Drives_Change(int index) {
    const QString root = Drives->itemData(index).toString();
    if (root.isEmpty() || root == volumeOf(mCartella))
        return;
    // Each volume keeps the folder last visited on it, as each drive keeps its current folder.
    cambiaCartella(existingFolder(mUltimaCartella.value(root, root)));
}

void frmSfoglia::cambiaCartella(const QString& folder) {
    mCartella = folder;
    const QString root = volumeOf(folder);
    mUltimaCartella.insert(root, folder);
    {
        const QSignalBlocker block(Drives);
        int index = Drives->findData(root);
        if (index < 0) {
            Drives->addItem(QDir::toNativeSeparators(root), root);
            index = Drives->count() - 1;
        }
        Drives->setCurrentIndex(index);
    }
    riempiCartelle();
    riempiFile();
    txtFile->clear();
}

// The folder list shows the chain of folders from the root down to the current one, each open,
// and the current folder's subfolders below it.
void frmSfoglia::riempiCartelle() {
    const QSignalBlocker block(Dirs);
    Dirs->clear();
    QStringList chain;
    for (QString f = mCartella;; f = cleanFolder(f + QStringLiteral("/.."))) {
        chain.prepend(f);
        if (QDir(f).isRoot() || cleanFolder(f + QStringLiteral("/..")) == f)
            break;
    }
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem* parent = nullptr;
    for (const QString& f : chain) {
        const QString name =
            QDir(f).isRoot() ? QDir::toNativeSeparators(f) : QFileInfo(f).fileName();
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(Dirs);
        item->setText(0, name);
        item->setIcon(0, open);
        item->setData(0, kPathRole, f);
        item->setExpanded(true);
        parent = item;
    }
    const QStringList subfolders = QDir(mCartella).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& sub : subfolders) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, sub);
        item->setIcon(0, closed);
        item->setData(0, kPathRole, cleanFolder(mCartella + u'/' + sub));
    }
    if (parent) {
        parent->setExpanded(true);
        Dirs->setCurrentItem(parent);
        Dirs->scrollToItem(parent);
    }
}

bool frmSfoglia::isListedPicture(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return !fileName.startsWith(u'.') &&
           (suffix == QLatin1String("bmp") || suffix == QLatin1String("jpg") ||
            suffix == QLatin1String("gif"));
}

void frmSfoglia::riempiFile() {
    const QSignalBlocker block(Files);
    Files->clear();
    const QStringList names =
        QDir(mCartella).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& name : names) {
        if (isListedPicture(name))
            Files->addItem(name);
    }
}

bool frmSfoglia::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the folder list opens the folder; it is not the dialog's "OK".
    if (watched == Dirs && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (QTreeWidgetItem* item = Dirs->currentItem())
                cambiaCartella(item->data(0, kPathRole).toString());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmSfoglia::cmdAnnulla_Click() {
    mAnnullato = true;
    QDialog::reject();
}

void frmSfoglia::reject() {
    cmdAnnulla_Click();
}

void frmSfoglia::closeEvent(QCloseEvent* event) {
    // Closing by the frame chooses nothing.
    mAnnullato = true;
    QDialog::closeEvent(event);
}

bool frmSfoglia::Sfoglia(const QString& dirInizio, const QString& nomefile, QString* path,
                         QString* name) {
    frmSfoglia dialog;
    dialog.setDirInizio(dirInizio);
    dialog.setNomefile(nomefile);
    QPointer<frmSfoglia>& shown = shownInstance();
    const QPointer<frmSfoglia> previous = shown;
    shown = &dialog;
    dialog.exec();
    shown = previous;
    const QString chosenName = dialog.Nomefile();
    if (path)
        *path = dialog.Path();
    if (name)
        *name = chosenName;
    return !chosenName.isEmpty();
}

frmSfoglia* frmSfoglia::sharedInstance() {
    return shownInstance().data();
}
