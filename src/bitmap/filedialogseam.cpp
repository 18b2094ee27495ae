#include "bitmap/filedialogseam.h"

#include "dialogkit/messagebox.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>
#include <QStandardPaths>

namespace {

QQueue<QString> g_paths;
QStringList g_asked;
// Within a session the next choice starts where the last one was made.
QString g_lastFolder;

QString startFolder() {
    if (!g_lastFolder.isEmpty())
        return g_lastFolder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::HomeLocation)
                              : pictures;
}

// Answered from the queue in test mode; `ask` shows the real dialog otherwise.
template <typename Ask> QString choose(const QString& caption, Ask ask) {
    g_asked << caption;
    if (MessageBoxSeam::testMode()) {
        if (g_paths.isEmpty())
            qFatal("Unexpected file choice with no path queued: %s", qPrintable(caption));
        return g_paths.dequeue();
    }
    const QString path = ask();
    if (!path.isEmpty())
        g_lastFolder = QFileInfo(path).absolutePath();
    return path;
}

} // namespace

namespace FileDialogSeam {

QString openFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return choose(caption, [&] {
        return QFileDialog::getOpenFileName(parent, caption, startFolder(), filter);
    });
}

QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                     const QString& filter) {
    return choose(caption, [&] {
        return QFileDialog::getSaveFileName(parent, caption,
                                            startFolder() + QLatin1Char('/') + suggested, filter);
    });
}

void queuePath(const QString& path) {
    g_paths.enqueue(path);
}

QStringList askedCaptions() {
    return g_asked;
}

void clear() {
    g_paths.clear();
    g_asked.clear();
}

int pendingPaths() {
    return int(g_paths.size());
}

} // namespace FileDialogSeam
