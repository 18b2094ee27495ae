#include "recentskins.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(RecentSkins)
};

const QString kKey = QStringLiteral("recenti/pacchetti");

// The one name of a file: a link, "..", or a second path to the same package must not take two
// places of eight.
QString identity(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

RecentSkins::RecentSkins(QSettings* settings) : m_settings(settings) {
    if (!m_settings) {
        m_own =
            std::make_unique<QSettings>(QStringLiteral("Tessellary"), QStringLiteral("Tessellary"));
        m_settings = m_own.get();
    }
}

RecentSkins::~RecentSkins() = default;

QStringList RecentSkins::paths() {
    // Another editor of the same user (a portable copy and an installed one) may have written
    // since this one started.
    m_settings->sync();
    const QStringList stored = m_settings->value(kKey).toStringList();
    QStringList kept;
    for (const QString& path : stored) {
        if (QFileInfo(path).isFile() && !kept.contains(path))
            kept << path;
    }
    if (kept != stored)
        store(kept);
    return kept;
}

void RecentSkins::add(const QString& path) {
    const QString entry = identity(path);
    QStringList list = paths();
    list.removeAll(entry);
    list.prepend(entry);
    while (list.size() > kMax)
        list.removeLast();
    store(list);
}

void RecentSkins::store(const QStringList& paths) {
    m_settings->setValue(kKey, paths);
    m_settings->sync();
}

void RecentSkins::fillMenu(QMenu* menu, const std::function<void(const QString&)>& open) {
    menu->clear();
    const QStringList list = paths();
    if (list.isEmpty()) {
        QAction* none = menu->addAction(Tr::tr("Nessuno skin recente"));
        none->setObjectName(QStringLiteral("mnuRecent0"));
        none->setEnabled(false);
        return;
    }
    for (int i = 0; i < list.size(); ++i) {
        const QString path = list[i];
        // The number is the keyboard's way in; the folder tells two "Blu.skn" apart.
        QString name = QFileInfo(path).fileName();
        QString folder = QDir::toNativeSeparators(QFileInfo(path).path());
        name.replace(u'&', QStringLiteral("&&"));
        folder.replace(u'&', QStringLiteral("&&"));
        QAction* a = menu->addAction(QStringLiteral("&%1 %2  (%3)").arg(i + 1).arg(name, folder));
        a->setObjectName(QStringLiteral("mnuRecent") + QString::number(i));
        a->setData(path);
        QObject::connect(a, &QAction::triggered, menu, [open, path] { open(path); });
    }
}
