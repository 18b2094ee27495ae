#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The file choices of the bitmap editor go through these functions, so that a test can name
// the chosen file in advance instead of facing a modal window nobody can click. They follow
// the message seams' test mode.
namespace FileDialogSeam {

// A file to read; "" when the user cancels.
QString openFileName(QWidget* parent, const QString& caption, const QString& filter);
// A file to write, starting from `suggested`; "" when the user cancels. The real dialog asks
// before replacing a file.
QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                     const QString& filter);

// --- test seam ---
// In test mode each choice takes the next queued path ("" cancels); a choice with nothing
// queued is a test failure and aborts.
void queuePath(const QString& path);
// The captions of the choices asked since the last clear.
QStringList askedCaptions();
void clear();
int pendingPaths();

} // namespace FileDialogSeam
