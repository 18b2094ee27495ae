#include "errors.h"

#include <cerrno>

#include <cstdio>

namespace {

class StderrReporter : public ErrorReporter {
public:
    void critical(const QString& caption, const QString& text) override {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
};

StderrReporter g_stderrReporter;
// One per thread: a background job reports into a reporter of its own, never into the message
// boxes of the user-interface thread.
thread_local ErrorReporter* g_reporter = nullptr;

} // namespace

QString errorDescription(ErrorCode code) {
    switch (code) {
    case ErrorCode::InvalidArgument:
        return QStringLiteral("Chiamata di routine o argomento non validi");
    case ErrorCode::Overflow:
        return QStringLiteral("Overflow");
    case ErrorCode::OutOfMemory:
        return QStringLiteral("Memoria esaurita");
    case ErrorCode::SubscriptRange:
        return QStringLiteral("Indice non compreso nell'intervallo");
    case ErrorCode::BadFileName:
        return QStringLiteral("Nome o numero di file non valido");
    case ErrorCode::FileNotFound:
        return QStringLiteral("Impossibile trovare il file");
    case ErrorCode::DeviceIO:
        return QStringLiteral("Errore di I/O della periferica");
    case ErrorCode::FileExists:
        return QStringLiteral("File già esistente");
    case ErrorCode::DiskFull:
        return QStringLiteral("Disco pieno");
    case ErrorCode::PastEndOfFile:
        return QStringLiteral("Input oltre la fine del file");
    case ErrorCode::PermissionDenied:
        return QStringLiteral("Autorizzazione negata");
    case ErrorCode::PathFileAccess:
        return QStringLiteral("Errore di accesso al percorso/file");
    case ErrorCode::PathNotFound:
        return QStringLiteral("Impossibile trovare il percorso");
    }
    return {};
}

ErrorCode errorCodeForErrno(int err, ErrorCode fallback) {
    switch (err) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return ErrorCode::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorCode::PermissionDenied;
    case ENOENT:
    case ENOTDIR:
        return ErrorCode::PathNotFound;
    case ENAMETOOLONG:
        return ErrorCode::BadFileName;
    case EEXIST:
        return ErrorCode::FileExists;
    default:
        return fallback;
    }
}

QString errorMessageText(int number, const QString& description) {
    return QStringLiteral("Errore ") + QString::number(number) + QStringLiteral(": ") + description;
}

ErrorReporter& errorReporter() {
    return g_reporter ? *g_reporter : g_stderrReporter;
}

void setErrorReporter(ErrorReporter* reporter) {
    g_reporter = reporter;
}

void reportError(int number, const QString& description) {
    errorReporter().critical(kAppTitle, errorMessageText(number, description));
}

void reportError(ErrorCode code, const QString& description) {
    reportError(static_cast<int>(code), description);
}

void reportError(ErrorCode code) {
    reportError(code, errorDescription(code));
}

void reportMessage(const QString& text, const QString& caption) {
    errorReporter().critical(caption, text);
}

ScopedErrorReporter::ScopedErrorReporter(ErrorReporter* reporter) : m_previous(g_reporter) {
    g_reporter = reporter;
}

ScopedErrorReporter::~ScopedErrorReporter() {
    g_reporter = m_previous;
}
