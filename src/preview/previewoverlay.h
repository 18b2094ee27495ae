#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>
#include <utility>

// Values an open dialog has not confirmed yet (a colour being picked, a stop being dragged,
// strokes not yet saved), laid over a skin's own for one render. The document stays as it is:
// closing the dialog with "Annulla" only has to drop the overlay.
//
// Keys and picture names are matched without regard to case, as the skin's table and the
// working folder's names are.
class PreviewOverlay {
public:
    void setValue(const QString& key, const QVariant& value);
    // Several at once, e.g. a gradient's entries as gradientkeys::encode gives them.
    void setValues(const QList<std::pair<QString, QVariant>>& values);
    // The picture a file of the working folder would hold (its name, e.g. "close.bmp").
    void setPicture(const QString& name, const QImage& picture);
    void clear();

    bool isEmpty() const { return m_values.isEmpty() && m_pictures.isEmpty(); }
    std::optional<QVariant> value(const QString& key) const;
    std::optional<QImage> picture(const QString& name) const;

    // Every key and picture name it holds, as given.
    QStringList keys() const;

private:
    struct Value {
        QString key;
        QVariant value;
    };
    struct Picture {
        QString name;
        QImage image;
    };
    QHash<QString, Value> m_values;     // lower-cased key
    QHash<QString, Picture> m_pictures; // lower-cased name
};
