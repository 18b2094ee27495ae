#pragma once

#include "skin/gradientkeys.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <utility>

// The settings of the open skin as the value dialogs' launcher sees them: read an item by key,
// store what a dialog confirmed. The property list implements it; the launcher depends on this
// and not on the list, so the dialogs never reach up into the list that opens them.
class SettingList : public QObject {
public:
    using QObject::QObject;

    virtual QString RetrCaption(const QString& Name) const = 0;
    virtual qint32 RetrType(const QString& Name) const = 0;
    virtual QVariant RetrData(const QString& Name) const = 0;
    // Consecutive values of one editor (a non-zero token) for the same item are one step of the
    // history.
    virtual bool setDataFrom(const QString& Name, const QVariant& data, quintptr editor) = 0;
    // A gradient dialog's stops, stored with the item's value as one change.
    virtual bool setGradient(const QString& Name, const QList<gradientkeys::Stop>& stops,
                             quintptr editor = 0) = 0;
    // A picture editor's files (name and contents in the working folder) with the item's value,
    // as one change; a file that cannot be written is reported and nothing changes.
    virtual bool setPictures(const QString& Name, const QVariant& data,
                             const QList<std::pair<QString, QByteArray>>& files,
                             QString* error = nullptr) = 0;
};
