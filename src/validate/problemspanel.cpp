#include "validate/problemspanel.h"

#include "skin/skindocument.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Column { ColSeverity, ColKey, ColMessage };

bool sameProblems(const QList<SkinProblem>& a, const QList<SkinProblem>& b) {
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                      [](const SkinProblem& x, const SkinProblem& y) {
                          return x.severity == y.severity && x.code == y.code && x.key == y.key &&
                                 x.message == y.message;
                      });
}

} // namespace

ProblemsPanel::ProblemsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProblemsPanel"));
    setWindowTitle(tr("Verifica skin"));

    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));

    lstProblems = new QTreeWidget(this);
    lstProblems->setObjectName(QStringLiteral("lstProblems"));
    lstProblems->setColumnCount(3);
    lstProblems->setHeaderLabels({tr("Gravità"), tr("Impostazione"), tr("Problema")});
    lstProblems->setRootIsDecorated(false);
    lstProblems->setUniformRowHeights(true);
    lstProblems->setWordWrap(false);
    lstProblems->header()->setStretchLastSection(true);
    lstProblems->installEventFilter(this);
    connect(lstProblems, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { activate(item); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary);
    layout->addWidget(lstProblems);

    // Every edit announces itself, a drag through colours many times a second: the skin is
    // checked once the burst is over, not once per step (a check reads every picture).
    m_pending = new QTimer(this);
    m_pending->setSingleShot(true);
    m_pending->setInterval(kSettleMs);
    connect(m_pending, &QTimer::timeout, this, &ProblemsPanel::refresh);

    resize(560, 260);
    showProblems({});
}

ProblemsPanel::~ProblemsPanel() {
    // A document outliving the panel must not reach it while it is half destroyed.
    disconnect(m_changedConnection);
    disconnect(m_destroyedConnection);
}

void ProblemsPanel::setDocument(SkinDocument* document) {
    disconnect(m_changedConnection);
    disconnect(m_destroyedConnection);
    m_document = document;
    if (document) {
        m_changedConnection =
            connect(document, &SkinDocument::changed, this, &ProblemsPanel::scheduleRefresh);
        m_destroyedConnection = connect(document, &QObject::destroyed, this, [this] {
            m_document = nullptr;
            m_pending->stop();
            showProblems({});
        });
        // The host usually binds the panel before the list has loaded the skin's values into
        // the document; checking once that is done shows what the list shows.
        scheduleRefresh();
    } else {
        m_pending->stop();
        showProblems({});
    }
}

int ProblemsPanel::errorCount() const {
    return int(std::count_if(m_problems.cbegin(), m_problems.cend(), [](const SkinProblem& p) {
        return p.severity == SkinProblem::Severity::Error;
    }));
}

void ProblemsPanel::scheduleRefresh() {
    // Nobody reads a hidden panel: it checks when it is shown again, so that editing with
    // the panel closed pays nothing for it.
    if (!isVisible()) {
        m_stale = true;
        m_pending->stop();
        return;
    }
    m_pending->start();
}

void ProblemsPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_stale)
        refresh();
}

void ProblemsPanel::refresh() {
    m_pending->stop();
    m_stale = false;
    showProblems(m_document ? validateSkin(*m_document) : QList<SkinProblem>());
}

void ProblemsPanel::showProblems(const QList<SkinProblem>& problems) {
    if (!m_document)
        lblSummary->setText(tr("Nessuno skin aperto"));
    else if (problems.isEmpty())
        lblSummary->setText(tr("Nessun problema"));
    if (sameProblems(problems, m_problems) && lstProblems->topLevelItemCount() == problems.size())
        return;
    m_problems = problems;

    // The problem the user was looking at stays selected while it is still there.
    QString selectedKey;
    QString selectedMessage;
    if (const QTreeWidgetItem* current = lstProblems->currentItem()) {
        selectedKey = current->text(ColKey);
        selectedMessage = current->text(ColMessage);
    }
    lstProblems->clear();
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    QList<QTreeWidgetItem*> items;
    for (const SkinProblem& problem : m_problems) {
        auto* item =
            new QTreeWidgetItem({severityWord(problem.severity), problem.key, problem.message});
        const bool error = problem.severity == SkinProblem::Severity::Error;
        item->setIcon(ColSeverity, error ? errorIcon : warningIcon);
        item->setToolTip(ColMessage, problem.message);
        items << item;
    }
    lstProblems->addTopLevelItems(items);
    for (QTreeWidgetItem* item : items) {
        if (item->text(ColKey) == selectedKey && item->text(ColMessage) == selectedMessage) {
            lstProblems->setCurrentItem(item);
            break;
        }
    }
    lstProblems->resizeColumnToContents(ColSeverity);
    lstProblems->resizeColumnToContents(ColKey);

    if (!problems.isEmpty()) {
        const int errors = errorCount();
        const int warnings = count() - errors;
        // Singular and plural apart: without a translation the Italian source is shown as it is.
        const QString errorsText =
            errors == 1 ? tr("%1 errore").arg(errors) : tr("%1 errori").arg(errors);
        const QString warningsText =
            warnings == 1 ? tr("%1 avviso").arg(warnings) : tr("%1 avvisi").arg(warnings);
        if (warnings == 0)
            lblSummary->setText(errorsText);
        else if (errors == 0)
            lblSummary->setText(warningsText);
        else
            //: "2 errori e 1 avviso"
            lblSummary->setText(tr("%1 e %2").arg(errorsText, warningsText));
    }
    Q_EMIT problemsChanged();
}

void ProblemsPanel::activate(QTreeWidgetItem* item) {
    if (item)
        Q_EMIT problemActivated(item->text(ColKey));
}

bool ProblemsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstProblems && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            activate(lstProblems->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
