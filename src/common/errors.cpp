#include "errors.h"

#include <QCoreApplication>

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

// The Italian source text, which is also the key of its translation.
const char* errorDescriptionSource(ErrorCode code) {
    switch (code) {
    case ErrorCode::InvalidArgument:
        return QT_TRANSLATE_NOOP("Errors", "Chiamata di routine o argomento non validi");
    case ErrorCode::Overflow:
        return QT_TRANSLATE_NOOP("Errors", "Overflow");
    case ErrorCode::OutOfMemory:
        return QT_TRANSLATE_NOOP("Errors", "Memoria esaurita");
    case ErrorCode::SubscriptRange:
        return QT_TRANSLATE_NOOP("Errors", "Indice non compreso nell'intervallo");
    case ErrorCode::BadFileName:
        return QT_TRANSLATE_NOOP("Errors", "Nome o numero di file non valido");
    case ErrorCode::FileNotFound:
        return QT_TRANSLATE_NOOP("Errors", "Impossibile trovare il file");
    case ErrorCode::DeviceIO:
        return QT_TRANSLATE_NOOP("Errors", "Errore di I/O della periferica");
    case ErrorCode::FileExists:
        return QT_TRANSLATE_NOOP("Errors", "File già esistente");
    case ErrorCode::DiskFull:
        return QT_TRANSLATE_NOOP("Errors", "Disco pieno");
    case ErrorCode::PastEndOfFile:
        return QT_TRANSLATE_NOOP("Errors", "Input oltre la fine del file");
    case ErrorCode::PermissionDenied:
        return QT_TRANSLATE_NOOP("Errors", "Autorizzazione negata");
    case ErrorCode::PathFileAccess:
        return QT_TRANSLATE_NOOP("Errors", "Errore di accesso al percorso/file");
    case ErrorCode::PathNotFound:
        return QT_TRANSLATE_NOOP("Errors", "Impossibile trovare il percorso");
    }
    return nullptr;
}

} // namespace

QString errorDescription(ErrorCode code) {
    const char* source = errorDescriptionSource(code);
    return source ? QCoreApplication::translate("Errors", source) : QString();
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
    // The prefix stays as written in every language: users quote it, and scripts look for it.
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
