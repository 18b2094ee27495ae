#pragma once

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Sfoglia...": chooses a picture file (*.bmp, *.jpg, *.gif, in any case) by volume, folder and
// file name. The caller sets DirInizio and then Nomefile (in that order: a change of folder
// empties the file name), shows the dialog modally, and reads Path and Nomefile once it is hidden.
//
// Folders are written with '/' and without a trailing separator, except for Path, which always
// ends in one ("/" for the root itself).
//
// Callers ask through UserPrompts::browsePicture, which tests answer from a script. Tests of the
// dialog itself drive a frmSfoglia directly.
class frmSfoglia : public QDialog {
    Q_OBJECT
public:
    explicit frmSfoglia(QWidget* parent = nullptr);

    // Points the volume list, the folder list and the file list at Folder (the nearest existing
    // folder above it when it does not exist); empties the file name.
    void setDirInizio(const QString& Folder);
    QString DirInizio() const { return mDirInizio; }

    void setNomefile(const QString& Name);
    // "" when cancelled; else the name selected in the file list, or the typed name when none is
    // selected.
    QString Nomefile() const;

    // The folder shown in the file list, ending in '/'.
    QString Path() const;

    // Whether the user may leave the start folder (the volume and folder lists are enabled).
    void setConsentiCambio(bool allowed);

    // The way the property list uses the browser: modal, without owner. Returns whether a name
    // was chosen; *path and *name receive Path and Nomefile.
    static bool Sfoglia(const QString& dirInizio, const QString& nomefile, QString* path,
                        QString* name);

    static frmSfoglia* sharedInstance(); // the dialog Sfoglia() is showing, or nullptr

    // The pattern of the file list.
    static bool isListedPicture(const QString& fileName);

public Q_SLOTS:
    void reject() override; // Esc

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillDrives();
    void Drives_Change(int index);
    void cambiaCartella(const QString& folder);
    void riempiCartelle();
    void riempiFile();
    void cmdAnnulla_Click();
    static QString volumeOf(const QString& folder);

    QComboBox* Drives = nullptr;
    QTreeWidget* Dirs = nullptr;
    QListWidget* Files = nullptr;
    QLineEdit* txtFile = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdAnnulla = nullptr;

    QString mDirInizio;
    QString mCartella;                       // the folder shown in Files
    QHash<QString, QString> mUltimaCartella; // volume root -> last folder visited on it
    bool mAnnullato = false;
};
