#pragma once

#include "skin/cskin.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>
#include <QVariant>
#include <optional>
#include <utility>

// One change of an open skin, made as one step of its history: values, files of the working
// folder (the pictures), or both, as a single edit brings them.
struct SkinChange {
    QString caption; // what the history calls it: the caption of the item it changes
    QList<std::pair<QString, QVariant>> values;
    QList<std::pair<QString, QByteArray>> files; // name in the working folder, new contents
    // Changes of the same keys by the same editor (a non-zero token) that follow each other are
    // one step: dragging through colours in one picker is one edit, not fifty.
    quintptr editor = 0;
};

// The one owner of an open skin: its values (the info table, keys without regard to case, in
// table order), the credits among them, the gradients' stops, and the pictures in the working
// folder. Every change goes through apply(), which records it in the undo history and announces
// it; "modified" is whether the history left the state it had when last saved.
//
// Nothing here talks to the user: open and save return what went wrong as text, in the words
// the editor has always used, for the caller to show once the call has returned.
class SkinDocument : public QObject {
    Q_OBJECT
public:
    struct Outcome {
        bool ok = true;
        QString error; // the messages, one a line, when something went wrong
    };

    // A document over a skin already read (or an empty one for `locations`).
    explicit SkinDocument(SkinRef skin, QObject* parent = nullptr);
    ~SkinDocument() override;

    // Opens the package `name` of the skins folder over the default skin, into the working
    // folder; the history starts anew. ok is false when anything was reported while reading.
    Outcome open(const Locations& locations, const QString& name);

    const SkinRef& skin() const { return m_skin; }
    QVariant value(const QString& key) const;
    QString credits() const;
    void setCredits(const QString& credits);

    QUndoStack* undoStack() { return &m_stack; }
    bool isModified() const { return !m_stack.isClean(); }

    // Stores a value as reading the skin does: no step in the history, nothing announced.
    void load(const QString& key, const QVariant& value);

    // Makes `change` one step of the history. Files are written first; when one cannot be, the
    // skin stays exactly as it was and the failure is returned. A change that alters nothing
    // makes no step.
    Outcome apply(const SkinChange& change);

    // The value `key` held when it was last switched off in this session, if it was.
    std::optional<QVariant> valueBeforeSwitchOff(const QString& key) const;
    void rememberSwitchOff(const QString& key, const QVariant& value);

    // Writes skin.ini (the parameters, then "[info]" and the credits) and packs the listed files
    // with the title into the package at packagePath (the open package when empty, wherever it
    // lives). The history counts as saved only when both are written.
    Outcome save(const QByteArray& parameters, const QStringList& files, const QString& title,
                 const QString& packagePath = {});
    // The skin.ini that save() writes: the parameters, then "[info]" and the credits.
    QByteArray iniBytes(const QByteArray& parameters) const;
    // Writes the parameters section alone as skin.ini, the list's own save; counts as saved.
    Outcome writeParameters(const QByteArray& parameters);

    // The bytes of a file of the working folder, or nothing when there is none.
    std::optional<QByteArray> fileBytes(const QString& name) const;

    // Writes a file of the working folder whole or not at all, never through a link and never
    // over a file the user made read-only; 0 or an errno value.
    static int writeWorkingFile(const QString& path, const QByteArray& bytes);
    // "Errore 76: Nessuna cartella di lavoro (why): what", saying why there is none.
    QString noWorkFolderText(const QString& what) const;

Q_SIGNALS:
    // After every change, undo and redo: the keys whose values changed (and, for files, the
    // file names).
    void changed(const QStringList& keys);
    void modifiedChanged(bool modified);
    // A file that an undo or redo could not write back.
    void problem(const QString& text);

private:
    friend class SkinChangeCommand;
    // Writes or, for nothing, deletes a file of the working folder; 0 or an errno value.
    int putFile(const QString& name, const std::optional<QByteArray>& bytes);
    void setValues(const QList<std::pair<QString, QVariant>>& values);

    SkinRef m_skin;
    QUndoStack m_stack;
    QHash<QString, QVariant> m_beforeSwitchOff; // lower-cased key -> value
};
