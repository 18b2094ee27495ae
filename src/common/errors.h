#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Error numbers shown in the "Errore N: ..." message. They follow the run-time error numbers
// that Italian users of Windows tools know, with their Italian descriptions.
enum class ErrorCode : int {
    InvalidArgument = 5,   // "Chiamata di routine o argomento non validi"
    Overflow = 6,          // "Overflow"
    OutOfMemory = 7,       // "Memoria esaurita"
    SubscriptRange = 9,    // "Indice non compreso nell'intervallo"
    BadFileName = 52,      // "Nome o numero di file non valido"
    FileNotFound = 53,     // "Impossibile trovare il file"
    DeviceIO = 57,         // "Errore di I/O della periferica"
    FileExists = 58,       // "File già esistente"
    DiskFull = 61,         // "Disco pieno"
    PastEndOfFile = 62,    // "Input oltre la fine del file"
    PermissionDenied = 70, // "Autorizzazione negata"
    PathFileAccess = 75,   // "Errore di accesso al percorso/file"
    PathNotFound = 76,     // "Impossibile trovare il percorso"
};

// The standard description of an error number in the language of the installed translation
// (Italian without one; "" for numbers not listed above).
QString errorDescription(ErrorCode code);

// The error number that best tells the user what a system error (errno) means; `fallback` for
// one with no closer number.
ErrorCode errorCodeForErrno(int err, ErrorCode fallback);

// "Errore " + number + ": " + description.
QString errorMessageText(int number, const QString& description);

// Where the core reports what the user must be told. The editor shows each report in a message
// box, the command line prints it to stderr, the tests record it. Core code never talks to the
// user any other way.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // A critical message with a single OK button and the given caption.
    virtual void critical(const QString& caption, const QString& text) = 0;
};

// The reporter in use; by default one that prints to stderr.
ErrorReporter& errorReporter();

// Installs a reporter (nullptr restores the default). The caller keeps ownership.
void setErrorReporter(ErrorReporter* reporter);

// The application's title, the caption of every error message that names no other.
inline const QString kAppTitle = QStringLiteral("Tessellary");

// Reports "Errore N: description" with the application's title as caption.
void reportError(int number, const QString& description);
void reportError(ErrorCode code, const QString& description);
void reportError(ErrorCode code); // with the standard description

// Reports a plain message (no "Errore N:" prefix), e.g. a refusal with a fixed text.
void reportMessage(const QString& text, const QString& caption = kAppTitle);

// Installs a reporter for the lifetime of the object and puts the previous one back after.
class ScopedErrorReporter {
public:
    explicit ScopedErrorReporter(ErrorReporter* reporter);
    ~ScopedErrorReporter();
    ScopedErrorReporter(const ScopedErrorReporter&) = delete;
    ScopedErrorReporter& operator=(const ScopedErrorReporter&) = delete;

private:
    ErrorReporter* m_previous;
};

// A reporter that keeps every message; for tests and for callers that want to look at what was
// reported before deciding.
class RecordingErrorReporter : public ErrorReporter {
public:
    struct Entry {
        QString caption;
        QString text;
    };
    void critical(const QString& caption, const QString& text) override {
        entries.push_back({caption, text});
    }
    QList<Entry> entries;
    QStringList texts() const {
        QStringList out;
        for (const auto& e : entries)
            out << e.text;
        return out;
    }
};
