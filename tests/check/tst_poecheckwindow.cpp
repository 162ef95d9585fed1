// The PoE check as the user meets it in the window: the dock, the status
// bar, the marks on the sheet, the archive settings and the order.

#include "app/mainwindow.h"
#include "app/poecheckdock.h"
#include "app/poefindingmodel.h"
#include "app/poefindingview.h"
#include "check/poecheck.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "networkbuilder.h"
#include "property/widget/qtnpropertywidget.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"
#include "scripteddialogseam.h"
#include "testcatalogue.h"
#include "undo/undohistory.h"

#include <QLabel>
#include <QPaintEvent>
#include <QMenuBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QUndoStack>
#include <QtTest>

class TestPoeCheckWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dockFollowsTheDrawing();
    void archiveSettingsReachTheRecorder();
    void orderGetsTheSection();
    void remarksPaintWhatChanged_data();
    void remarksPaintWhatChanged();

private:
    // A recorder point feeding a 25 W camera over 200 m of Cat5e (three
    // errors and the length warning) and an 8 W one over 20 m (none).
    void buildNetwork();

    QTemporaryDir m_home;
    TestCatalogue m_catalogue;
    ScriptedDialogSeam m_seam;
    std::unique_ptr<MainWindow> m_window;
    DiagramItem *m_point = nullptr;
    DiagramItem *m_far = nullptr;
    DiagramItem *m_near = nullptr;
};

void TestPoeCheckWindow::initTestCase()
{
    qputenv("HOME", m_home.path().toLocal8Bit());
    QVERIFY2(m_catalogue.createWithCables({}, {}, {{QStringLiteral("UTP kat.5E"), 24}}),
             qPrintable(m_catalogue.lastError()));
}

void TestPoeCheckWindow::buildNetwork()
{
    m_window.reset(new MainWindow(&m_seam));
    NetworkBuilder net(m_window->scene(), m_window->itemMenu());
    m_point = net.addPd({200, 200}, 1);
    m_point->setNvr(true);
    m_far = net.addCamera({100, 400}, 7, 25, 4096);
    m_near = net.addCamera({300, 400}, 8, 8, 2048);
    net.connect(m_point, m_far, 200)->setType(QStringLiteral("UTP kat.5E"));
    net.connect(m_point, m_near, 20)->setType(QStringLiteral("UTP kat.5E"));
    m_window->selectionChanged();
}

void TestPoeCheckWindow::dockFollowsTheDrawing()
{
    buildNetwork();
    PoeCheckDock *dock = m_window->poeCheckDock();
    QVERIFY(dock);
    QCOMPARE(dock->windowTitle(), QStringLiteral("Kontrola PoE"));

    // "Widok" keeps its entries and gains the dock and the marks, in that order.
    QMenu *view = m_window->menuBar()->actions().at(1)->menu();
    QStringList entries;
    for (QAction *action : view->actions())
        entries << action->text();
    QCOMPARE(entries, QStringList({"Ukryj połączenia", "Ukryj opisy", "Właściwości", "Kontrola PoE",
                                   "Pokaż kontrolę PoE"}));

    // Errors first in the table, whatever the order of the drawing.
    QAbstractItemModel *table = dock->table()->model();
    QCOMPARE(table->rowCount(), dock->result().findings.size());
    QStringList severities;
    for (int row = 0; row < table->rowCount(); ++row)
        severities << table->index(row, PoeFindingModel::SeverityColumn).data().toString();
    QCOMPARE(severities.mid(0, 4), QStringList({"błąd", "błąd", "błąd", "ostrzeżenie"}));
    QVERIFY(!severities.mid(4).isEmpty());
    QCOMPARE(severities.mid(4), QStringList(QVector<QString>(severities.size() - 4, "informacja").toList()));
    QCOMPARE(table->index(0, PoeFindingModel::ElementColumn).data().toString(), QStringLiteral("K 7"));
    QCOMPARE(table->index(0, PoeFindingModel::TextColumn).data().toString(),
             QStringLiteral("napięcie 36,45 V poniżej minimum 42,5 V dla 802.3at"));
    QCOMPARE(table->index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
             PoeFindingModel::background(PoeFinding::Severity::Error));
    QCOMPARE(dock->statusLabel()->text(), QStringLiteral("Kontrola PoE: 3 błędy, 1 ostrzeżenie"));

    // Only the camera with errors is framed; the switch takes the frame away.
    QVERIFY(m_far->poeCheckMark());
    QVERIFY(!m_near->poeCheckMark() && !m_point->poeCheckMark());
    dock->showMarksAction()->toggle();
    QVERIFY(!m_far->poeCheckMark());
    dock->showMarksAction()->toggle();
    QVERIFY(m_far->poeCheckMark());

    // A click on a remark selects its element, and the property dock shows it.
    dock->showElement(table->index(0, PoeFindingModel::TextColumn));
    QCOMPARE(m_window->scene()->selectedItems(), QList<QGraphicsItem *>({m_far}));
    QCOMPARE(m_window->propertyWidget()->propertySet(), m_far->propertySet());
    // The walk through the remarks does not rebuild the table under the user.
    QCOMPARE(table->index(0, PoeFindingModel::ElementColumn).data().toString(), QStringLiteral("K 7"));

    // A lighter camera, entered in the property dock, needs no more than the
    // cable gives: the errors and the frame go with the next calculation.
    m_far->cameraSet()->Power.setValue(8);
    QCOMPARE(dock->result().errorCount(), 0);
    QVERIFY(!m_far->poeCheckMark());
    QCOMPARE(dock->statusLabel()->text(), QStringLiteral("Kontrola PoE: 1 ostrzeżenie"));

    // A remark whose element has gone selects nothing.
    const QModelIndex stale = table->index(0, PoeFindingModel::TextColumn);
    QGraphicsItem *element = static_cast<QGraphicsItem *>(stale.data(PoeFindingModel::ElementRole).value<void *>());
    QVERIFY(element);
    m_window->scene()->clearSelection();
    m_window->scene()->removeItem(element);
    dock->showElement(stale);
    QVERIFY(m_window->scene()->selectedItems().isEmpty());
    m_window->scene()->addItem(element);
}

void TestPoeCheckWindow::archiveSettingsReachTheRecorder()
{
    buildNetwork();
    // 6144 kbit/s = 768 000 B/s; x 86 400 x 30 x 1.1 = 2.18972e12 B
    QCOMPARE(m_point->pdSet()->Storage.value(), 2.19);
    QtnPropertySetProject *project = m_window->scene()->projectSet();
    QCOMPARE(m_window->propertyWidget()->propertySet(), static_cast<QtnPropertySet *>(project));
    // Through the shown set, as the property dock writes it: 768 000 x 86 400 x 90
    QUndoStack *history = m_window->undoHistory()->stack();
    const int edits = history->count();
    project->ArchiveDays.setValue(90);
    QCOMPARE(m_point->pdSet()->Storage.value(), 6.57);
    project->StorageReserve.setValue(0);
    QCOMPARE(m_point->pdSet()->Storage.value(), 5.97);
    // Two edits of the user; the storage the check wrote is their result,
    // no edit of its own, and goes back with them.
    QCOMPARE(history->count(), edits + 2);
    m_window->undoHistory()->undo();
    QCOMPARE(m_point->pdSet()->Storage.value(), 6.57);
    m_window->undoHistory()->undo();
    QCOMPARE(project->ArchiveDays.value(), 30u);
    QCOMPARE(m_point->pdSet()->Storage.value(), 2.19);
    QCOMPARE(PoeCheck::shownStorage(m_window->poeCheckDock()->result().recorders.first().storageTB), 2.19);
}

void TestPoeCheckWindow::orderGetsTheSection()
{
    buildNetwork();
    m_window->scene()->setInvestmentName(QStringLiteral("Kontrola"));
    m_window->printOrder();
    QCOMPARE(m_seam.kinds().last(), QStringLiteral("preview"));
    const QString text = m_window->orderDocument()->toPlainText();
    // The order as it was, then the section.
    const int table = text.indexOf(QStringLiteral("Jednostka"));
    const int section = text.indexOf(QStringLiteral("Kontrola PoE"));
    QVERIFY(table > 0);
    QVERIFY(section > table);
    QVERIFY(text.indexOf(QStringLiteral("K 7: napięcie 36,45 V poniżej minimum 42,5 V dla 802.3at")) > section);
    QVERIFY(text.contains(QStringLiteral("3 błędy, 1 ostrzeżenie")));
    const int archive = text.indexOf(QStringLiteral("Archiwum rejestratorów (30 dni, 24 h na dobę, zapas 10 %)"));
    QVERIFY(archive > section);
    // recorder, cameras, streams, terabytes
    QVERIFY(text.indexOf(QStringLiteral("PD 1\n2\n6 144\n2,19")) > archive);
}

// The figures of some remarks change with an edit: of the rows the table
// shows, only theirs are painted again.
void TestPoeCheckWindow::remarksPaintWhatChanged_data()
{
    QTest::addColumn<QList<int>>("changed");
    QTest::addColumn<QList<int>>("painted");
    QTest::addColumn<QList<int>>("untouched");
    QTest::newRow("one remark shown") << QList<int>{2} << QList<int>{2} << QList<int>{0, 1, 3, 5};
    QTest::newRow("two runs") << QList<int>{1, 4, 5} << QList<int>{1, 4, 5} << QList<int>{0, 2, 3};
    QTest::newRow("a remark below those shown") << QList<int>{35} << QList<int>() << QList<int>{0, 1, 2, 3, 4};
}

void TestPoeCheckWindow::remarksPaintWhatChanged()
{
    QFETCH(QList<int>, changed);
    QFETCH(QList<int>, painted);
    QFETCH(QList<int>, untouched);
    QVector<PoeFinding> findings(40);
    for (int row = 0; row < findings.size(); ++row) {
        findings[row].elementName = QStringLiteral("K %1").arg(row + 1);
        findings[row].text = QStringLiteral("K %1: napięcie 45,00 V").arg(row + 1);
    }
    PoeFindingModel model;
    model.setFindings(findings);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.setSortRole(PoeFindingModel::SortRole);
    PoeFindingView view;
    view.setModel(&proxy);
    view.setSortingEnabled(true);
    view.sortByColumn(PoeFindingModel::SeverityColumn, Qt::AscendingOrder);
    view.resize(500, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(view.rowAt(view.viewport()->height() - 1) >= 5);
    QVERIFY(view.rowAt(view.viewport()->height() - 1) < 35);

    struct Paints : QObject {
        QRegion region;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                region += static_cast<QPaintEvent *>(event)->region();
            return false;
        }
    } paints;
    view.viewport()->installEventFilter(&paints);
    for (int row : changed)
        findings[row].text = QStringLiteral("K %1: napięcie 44,10 V").arg(row + 1);
    model.setFindings(findings);
    for (int round = 0; round < 8; ++round)
        QCoreApplication::processEvents();

    for (int row : changed)
        QCOMPARE(proxy.index(row, PoeFindingModel::TextColumn).data().toString(), QStringLiteral("napięcie 44,10 V"));
    for (int row : painted)
        QVERIFY2(paints.region.intersects(view.visualRect(proxy.index(row, PoeFindingModel::TextColumn))),
                 qPrintable(QString::number(row)));
    for (int row : untouched)
        QVERIFY2(!paints.region.intersects(view.visualRect(proxy.index(row, PoeFindingModel::TextColumn))),
                 qPrintable(QString::number(row)));
}

QTEST_MAIN(TestPoeCheckWindow)
#include "tst_poecheckwindow.moc"
