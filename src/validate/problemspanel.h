#pragma once

#include "validate/skinvalidator.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QLabel;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class SkinDocument;

// The problems of the open skin, kept current as it changes: a list of severity, setting and
// message, with a line counting them. It is a plain widget, so that the window showing it decides
// whether it floats or docks; it never blocks the editor.
class ProblemsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ProblemsPanel(QWidget* parent = nullptr);
    ~ProblemsPanel() override;

    // Lists the problems of `document` (none for nullptr) and follows its changes. The panel
    // does not own it; a document destroyed empties the list.
    void setDocument(SkinDocument* document);
    SkinDocument* document() const { return m_document; }

    // What the list shows, as last checked.
    const QList<SkinProblem>& problems() const { return m_problems; }
    int count() const { return int(m_problems.size()); }
    int errorCount() const;

    // Checks the skin again now, instead of once the current burst of changes is over.
    void refresh();

Q_SIGNALS:
    // A problem was double-clicked, or chosen with Enter: the host selects its setting.
    void problemActivated(const QString& key);
    // After every check that changed what the list shows.
    void problemsChanged();

private:
    void scheduleRefresh();
    void showProblems(const QList<SkinProblem>& problems);
    void activate(QTreeWidgetItem* item);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    QPointer<SkinDocument> m_document;
    QMetaObject::Connection m_changedConnection;
    QMetaObject::Connection m_destroyedConnection;
    QList<SkinProblem> m_problems;
    // How long the skin must stay unchanged before it is checked again.
    static constexpr int kSettleMs = 120;
    QTimer* m_pending = nullptr;
    bool m_stale = false; // changed while hidden
    QLabel* lblSummary = nullptr;
    QTreeWidget* lstProblems = nullptr;
};
