#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QMenu;
class QSettings;

// The packages opened last, newest first, kept in the user's settings so that they survive the
// editor. Each package is listed once, by its full path, whatever path it was opened by.
class RecentSkins {
public:
    static constexpr int kMax = 8;

    // Kept in `settings`, which must outlive this object; the editor's own settings when null.
    explicit RecentSkins(QSettings* settings = nullptr);
    ~RecentSkins();

    // Newest first. Packages that are gone are dropped, here and in the settings.
    QStringList paths();
    // Puts the package first, moving it when it is listed already; the oldest beyond kMax go.
    void add(const QString& path);

    // Fills `menu` with the packages, each opening through `open`; a disabled entry says when
    // there is none.
    void fillMenu(QMenu* menu, const std::function<void(const QString&)>& open);

private:
    void store(const QStringList& paths);

    std::unique_ptr<QSettings> m_own;
    QSettings* m_settings;
};
