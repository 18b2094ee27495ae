#pragma once

#include "common/errors.h"
#include "common/locations.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A program folder (with its "skins" folder) and a temporary folder of the test's own, so that no
// test touches the real ones.
class TestFolders {
public:
    TestFolders();
    bool isValid() const { return m_program.isValid() && m_temp.isValid(); }
    const Locations& locations() const { return m_locations; }
    QString programDir() const { return m_locations.programDir; }
    QString skinsDir() const { return m_locations.skinsDir(); }
    QString workDir() const { return m_locations.workDir(); }

private:
    QTemporaryDir m_program;
    QTemporaryDir m_temp;
    Locations m_locations;
};

// Records every error reported while it lives.
class ErrorRecorder : public RecordingErrorReporter {
public:
    ErrorRecorder() : m_scope(this) {}
    void clear() { entries.clear(); }
    bool isEmpty() const { return entries.isEmpty(); }

private:
    ScopedErrorReporter m_scope;
};

QByteArray readFileBytes(const QString& path);
bool writeFileBytes(const QString& path, const QByteArray& bytes);

// Folders of the repository and of the build, for tests that need the bundled data.
QString sourceDir();
QString binDir();
