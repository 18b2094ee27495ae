#pragma once

#include "skin/cskin.h"
#include "skin/gradientkeys.h"
#include "skin/itemkind.h"
#include "skin/settinglist.h"
#include "skin/skindocument.h"

#include <QIODevice>
#include <QImage>
#include <QList>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

struct tItem {
    QString ItemKey; // the setting's key in the skin document and in skin.ini
    QString Caption; // text shown in the row
    qint32 Kind = KindColor;
    QVariant ItemValue;
    QRect Area;          // the row as last drawn (left, top, right, bottom inclusive as QRect)
    bool AdvOpt = false; // may be switched off and on from the list
    bool IsSet = false;
};

struct tCategory {
    QString Caption;
    QString CatKey; // matched without regard to case
    QList<tItem> Items;
    QRect Area; // the category row as last drawn
    bool Expanded = false;
};

// The categorised, typed list of a skin's settings, without any drawing: the widget uAdvList
// paints it and turns mouse input into calls of this class. Categories and items are numbered
// from 1, as the list numbers them; 0 means none.
//
// Every change of a value goes through one private function, which writes the document where
// needed, sets the modified flag where needed and tells the view which row changed.
class PropListModel : public SettingList {
    Q_OBJECT
public:
    explicit PropListModel(QObject* parent = nullptr);
    ~PropListModel() override;

    // --- public operations of the list ---
    bool Modified() const { return m_doc && m_doc->isModified(); }
    // "skin.ini", then the files the items name, each once (names compared without regard to
    // case). Names that are not plain file names (common/filenames.h) are left out.
    QStringList GetFilesList() const;
    QString RetrCaption(const QString& Name) const override;
    qint32 RetrType(const QString& Name) const override;
    // Stores a new value, writes it into the skin document and marks the list modified. A key
    // that no item has changes nothing and returns false.
    bool SetData(const QString& Name, const QVariant& data);
    // SetData for an editor: consecutive values of one editor (a non-zero token) for the same
    // item are one step of the history.
    bool setDataFrom(const QString& Name, const QVariant& data, quintptr editor) override;
    // A gradient dialog's stops, stored with the item's value as one change.
    bool setGradient(const QString& Name, const QList<gradientkeys::Stop>& stops,
                     quintptr editor = 0) override;
    // A picture editor's files (name and contents in the working folder) with the item's value,
    // as one change; a file that cannot be written is reported and nothing changes.
    bool setPictures(const QString& Name, const QVariant& data,
                     const QList<std::pair<QString, QByteArray>>& files,
                     QString* error = nullptr) override;
    QVariant RetrData(const QString& Name) const override;
    // Writes the parameters section of skin.ini in the skin's working folder and returns the
    // file's path. The file is replaced only once it is written completely; when it cannot be
    // written, *ok is set to false, the list stays modified, and the failure's text goes to
    // *error (reported when no `error` is given).
    QString Salva(bool* ok = nullptr, QString* error = nullptr);
    void Clear();
    void LoadingItems();
    // Binds the skin document (or none, on an empty list) and loads every value from it. A number
    // out of range is reported once, naming its keys, and loads as 0; the rest loads normally and
    // false is returned. A non-empty list bound to no skin keeps its values and returns false.
    bool Ready(const SkinRef& InfoSkin);
    void AddCat(const QString& Name, const QString& Caption);
    void AddItem(const QString& pCat, const QString& pCaption, const QString& pName, qint32 pType,
                 bool pAdvOpt = false, const QVariant& pValue = QVariant());
    int FindCat(const QString& key) const;

    // The parameters section as the bytes Salva writes (Windows-1252, CR LF).
    QByteArray parametersText() const;

    // Writes all of `bytes`, checking every partial write; false when the device refused any.
    static bool writeAll(QIODevice* device, const QByteArray& bytes);

    // --- what the view reads ---
    bool isReady() const { return m_ready; }
    SkinRef skin() const { return m_skin; }
    // The document the list shows and changes (none while no skin is bound).
    const std::shared_ptr<SkinDocument>& document() const { return m_doc; }
    // Binds a document before the schema is loaded for its skin; Ready keeps it.
    void setDocument(const std::shared_ptr<SkinDocument>& document);
    int categoryCount() const { return int(m_cats.size()); }
    int itemCount(int cat) const;
    const tCategory& category(int cat) const;
    const tItem& item(int cat, int item) const;
    // Finds an item by key (the last category holding it wins); false when none has it.
    bool findItem(const QString& key, int* cat, int* item) const;
    // True for items whose icon switches them off and on.
    bool isSwitchable(int cat, int item) const;

    // --- what the view changes ---
    void setCategoryArea(int cat, const QRect& area);
    void setItemArea(int cat, int item, const QRect& area);
    void setExpanded(int cat, bool expanded);
    // The check box of a boolean item: stores the state and marks the list modified.
    void setBoolFromEditor(int cat, int item, bool checked);
    // Switches a switchable item off or on and marks the list modified. Switching an image on
    // writes `placeholder` as the lower-cased key + ".bmp" in the working folder, unless a file
    // of that name is already there; on a failure the item stays exactly as it was, false is
    // returned and the failure's text goes to *error (reported when no `error` is given).
    bool toggleItem(int cat, int item, const QImage& placeholder, QString* error = nullptr);
    // A file chosen for a KindFile item: takes the name and, when `folder` is not the working
    // folder, copies folder + name into it, replacing a file of that name. On a failure nothing
    // changes and its text goes to *error as for toggleItem; an empty name changes nothing
    // either. A file taken marks the list modified.
    bool chooseFile(int cat, int item, const QString& folder, const QString& name,
                    QString* error = nullptr);

Q_SIGNALS:
    // One row must be repainted (its value, its set state or its editor changed).
    void itemChanged(int cat, int item);
    // Every category and item is gone (Clear, or a new schema about to be loaded); listChanged
    // follows.
    void itemsCleared();
    // Everything must be repainted (new values, the mask colour, folding, a new schema).
    void listChanged();
    void modifiedChanged(bool modified);

private:
    // Every value change goes to the document as one step of its history; the rows learn the
    // outcome from the document's announcement, also on undo and redo.
    enum class Change { Dialog, CheckBox, Switch, FileChoice, Load, History };
    void applyValue(int cat, int item, const QVariant& value, Change how);
    SkinChange changeOf(int cat, int item) const;
    bool commit(int cat, int item, const QVariant& value, Change how, const SkinChange& change,
                QString* error = nullptr);
    void onDocumentChanged(const QStringList& keys);
    QVariant documentValue(const tItem& it) const;
    bool validItem(int cat, int item) const;
    static std::optional<QByteArray> placeholderBytes(const QImage& placeholder);
    // "Errore 76: Nessuna cartella di lavoro…: `what`", with the document's reason when it has one.
    QString noWorkFolderText(const QString& what) const;

    QList<tCategory> m_cats;
    bool m_ready = false;
    SkinRef m_skin;
    std::shared_ptr<SkinDocument> m_doc;
    Change m_changing = Change::History; // how the change being announced was made
};
