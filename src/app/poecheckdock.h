#ifndef APP_POECHECKDOCK_H
#define APP_POECHECKDOCK_H

#include "check/poecheckresult.h"
#include "check/poechecktracker.h"

#include <QDockWidget>

class MainWindow;
class PoeFindingModel;
class QAction;
class QLabel;
class QMenu;
class QModelIndex;
class QSortFilterProxyModel;
class QTableView;

// The dock "Kontrola PoE": the remarks of the PoE check in a sortable table
// coloured by severity, refreshed after every calculation of the window. A
// click on a remark selects its element and brings it into view. It also
// keeps the error count in the status bar and the orange marks on the sheet,
// which "Pokaż kontrolę PoE" switches on and off.
class PoeCheckDock : public QDockWidget
{
    Q_OBJECT

public:
    // Docks itself at the bottom of the window and appends its toggle and
    // "Pokaż kontrolę PoE" to the view menu.
    PoeCheckDock(MainWindow *window, QMenu *viewMenu);

    const PoeCheckResult &result() const { return m_tracker.result(); }
    PoeFindingModel *model() const { return m_model; }
    QTableView *table() const { return m_table; }
    QLabel *statusLabel() const { return m_statusLabel; }
    QAction *showMarksAction() const { return m_showMarksAction; }

    // "Kontrola PoE: 2 błędy, 1 ostrzeżenie"; "Kontrola PoE: bez uwag".
    static QString summary(const PoeCheckResult &result);

public slots:
    // Runs the check on the window's scene and shows what it found.
    void refresh();
    // Selects the element of the remark in this row of the table and shows it.
    void showElement(const QModelIndex &index);

private:
    void showMarks();

    void show(const PoeCheckResult &result);

    MainWindow *m_window;
    // The check of the window's sheet, kept up to date edit by edit.
    PoeCheckTracker m_tracker;
    quint64 m_shownRevision = 0;
    PoeFindingModel *m_model;
    QSortFilterProxyModel *m_proxy;
    QTableView *m_table;
    QLabel *m_statusLabel;
    QAction *m_showMarksAction;
};

#endif // APP_POECHECKDOCK_H
