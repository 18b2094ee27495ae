#pragma once

#include "proplist/proplistmodel.h"

#include <QStringList>
#include <QVariant>
#include <QWidget>

// The property list control: a custom-painted view over PropListModel with a vertical scroll
// bar, inline editors and tooltips. Its public operations are those of the list; they forward to
// the model, which owns the data.
class uAdvList : public QWidget {
    Q_OBJECT
public:
    explicit uAdvList(QWidget* parent = nullptr);
    ~uAdvList() override;

    PropListModel* model() const { return m_model; }

    // --- public operations of the list ---
    void Redraw();
    bool Modified() const;
    QStringList GetFilesList() const;
    QString RetrCaption(const QString& Name) const;
    qint32 RetrType(const QString& Name) const;
    bool SetData(const QString& Name, const QVariant& data);
    QVariant RetrData(const QString& Name) const;
    QString Salva(bool* ok = nullptr);
    void Clear();
    void LoadingItems();
    bool Ready(const SkinRef& InfoSkin);
    void AddCat(const QString& Name, const QString& Caption);
    void AddItem(const QString& pCat, const QString& pCaption, const QString& pName, qint32 pType,
                 bool pAdvOpt = false, const QVariant& pValue = QVariant());

Q_SIGNALS:
    // The user asked to edit the highlighted item with a dialog.
    void ModItem(const QString& key);

private:
    PropListModel* m_model;
    // The rest is the widget engineer's.
};
