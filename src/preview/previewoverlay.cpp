#include "preview/previewoverlay.h"

#include <QStringList>

void PreviewOverlay::setValue(const QString& key, const QVariant& value) {
    m_values.insert(key.toLower(), {key, value});
}

void PreviewOverlay::setValues(const QList<std::pair<QString, QVariant>>& values) {
    for (const auto& [key, value] : values)
        setValue(key, value);
}

void PreviewOverlay::setPicture(const QString& name, const QImage& picture) {
    m_pictures.insert(name.toLower(), {name, picture});
}

void PreviewOverlay::clear() {
    m_values.clear();
    m_pictures.clear();
}

std::optional<QVariant> PreviewOverlay::value(const QString& key) const {
    if (m_values.isEmpty())
        return std::nullopt;
    const auto it = m_values.constFind(key.toLower());
    if (it == m_values.constEnd())
        return std::nullopt;
    return it->value;
}

std::optional<QImage> PreviewOverlay::picture(const QString& name) const {
    if (m_pictures.isEmpty())
        return std::nullopt;
    const auto it = m_pictures.constFind(name.toLower());
    if (it == m_pictures.constEnd())
        return std::nullopt;
    return it->image;
}

QStringList PreviewOverlay::keys() const {
    QStringList out;
    for (const Value& v : m_values)
        out << v.key;
    for (const Picture& p : m_pictures)
        out << p.name;
    return out;
}
