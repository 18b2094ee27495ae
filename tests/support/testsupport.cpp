#include "testsupport.h"

TestFolders::TestFolders() {
    m_locations.programDir = m_program.path();
    m_locations.tempDir = m_temp.path();
    QDir(m_program.path()).mkpath(QStringLiteral("skins"));
}

QByteArray readFileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QString sourceDir() { return qEnvironmentVariable("TESS_SOURCE_DIR"); }
QString binDir() { return qEnvironmentVariable("TESS_BIN_DIR"); }
