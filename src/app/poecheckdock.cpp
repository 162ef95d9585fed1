#include "app/poecheckdock.h"

#include "app/mainwindow.h"
#include "app/poefindingmodel.h"
#include "app/poefindingview.h"
#include "app/selectionbinding.h"
#include "check/poecheck.h"
#include "check/poetext.h"
#include "diagram/diagramscene.h"
#include "print/projectdoc.h"

#include <QAction>
#include <QGraphicsView>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTableView>

PoeCheckDock::PoeCheckDock(MainWindow *window, QMenu *viewMenu)
    : QDockWidget(tr("Kontrola PoE"), window)
    , m_window(window)
    , m_model(new PoeFindingModel(this))
    , m_proxy(new QSortFilterProxyModel(this))
    , m_table(new PoeFindingView(this))
    , m_statusLabel(new QLabel(window))
    , m_showMarksAction(new QAction(tr("Pokaż kontrolę PoE"), this))
{
    setObjectName(QStringLiteral("poeCheckDock"));
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortRole(PoeFindingModel::SortRole);

    m_table->setModel(m_proxy);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(PoeFindingModel::SeverityColumn, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(PoeFindingModel::SeverityColumn,
                                                      QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(PoeFindingModel::ElementColumn,
                                                      QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // The columns fit the rows shown and those around them: measuring every
    // remark of a large sheet again after each change of the list cost more
    // than the whole calculation.
    m_table->horizontalHeader()->setResizeContentsPrecision(100);
    setWidget(m_table);
    connect(m_table, &QAbstractItemView::clicked, this, &PoeCheckDock::showElement);
    connect(m_table, &QAbstractItemView::activated, this, &PoeCheckDock::showElement);

    m_showMarksAction->setCheckable(true);
    m_showMarksAction->setChecked(true);
    m_showMarksAction->setStatusTip(tr("Pokazuje / ukrywa pomarańczową ramkę urządzeń z błędem kontroli PoE"));
    connect(m_showMarksAction, &QAction::toggled, this, &PoeCheckDock::showMarks);

    m_statusLabel->setObjectName(QStringLiteral("poeCheckStatus"));
    m_statusLabel->setText(summary(result()));
    window->statusBar()->addPermanentWidget(m_statusLabel);

    window->addDockWidget(Qt::BottomDockWidgetArea, this);
    window->resizeDocks({this}, {170}, Qt::Vertical);
    viewMenu->addAction(toggleViewAction());
    viewMenu->addAction(m_showMarksAction);

    connect(SelectionBinding::of(window), &SelectionBinding::calculated, this, &PoeCheckDock::refresh);
}

QString PoeCheckDock::summary(const PoeCheckResult &result)
{
    const int errors = result.count(PoeFinding::Severity::Error);
    const int warnings = result.count(PoeFinding::Severity::Warning);
    QStringList parts;
    if (errors > 0)
        parts << PoeText::counted(errors, tr("błąd"), tr("błędy"), tr("błędów"));
    if (warnings > 0)
        parts << PoeText::counted(warnings, tr("ostrzeżenie"), tr("ostrzeżenia"), tr("ostrzeżeń"));
    return tr("Kontrola PoE: %1").arg(parts.isEmpty() ? tr("bez błędów") : parts.join(QStringLiteral(", ")));
}

void PoeCheckDock::refresh()
{
    const PoeCheckResult &result = m_tracker.update(m_window->scene());
    m_tracker.writeStorage();
    // Remarks and marks as they were: nothing to show again.
    if (m_tracker.revision() != m_shownRevision)
        show(result);
}

void PoeCheckDock::showMarks()
{
    // Nothing is written into the sets: this is no calculation.
    show(m_tracker.update(m_window->scene()));
}

void PoeCheckDock::show(const PoeCheckResult &result)
{
    m_shownRevision = m_tracker.revision();
    m_tracker.markItems(m_showMarksAction->isChecked());
    m_model->setFindings(result.findings);
    m_statusLabel->setText(summary(result));
}

void PoeCheckDock::showElement(const QModelIndex &index)
{
    const auto *element = static_cast<QGraphicsItem *>(
            index.data(PoeFindingModel::ElementRole).value<void *>());
    DiagramScene *scene = m_window->scene();
    // The remarks may be older than the drawing: only an element that is
    // still on the sheet is selected.
    QGraphicsItem *found = nullptr;
    const QList<QGraphicsItem *> items = scene->items();
    for (QGraphicsItem *item : items) {
        if (item == element) {
            found = item;
            break;
        }
    }
    if (!found)
        return;
    scene->clearSelection();
    found->setSelected(true);
    m_window->projectDoc()->view()->ensureVisible(found);
}
