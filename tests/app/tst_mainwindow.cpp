// The main window as the user first meets it: title, menus, tool bars, the
// zoom list, the element tool box, the property dock, the catalogue status,
// the about box, and placing elements from the tool box.

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "print/projectdoc.h"
#include "scripteddialogseam.h"
#include "testhelpers.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGraphicsView>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

const QString kSeparator = QStringLiteral("—");
const QString kQuit = QStringLiteral("<quit>");

QString catalogueBesideExecutable()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/moxproducts.db");
}

QStringList entries(const QList<QAction *> &actions)
{
    QStringList out;
    for (QAction *a : actions)
        out << (a->isSeparator() ? kSeparator : a->text());
    return out;
}

// Icons hand back premultiplied pixmaps; compare both sides in that form.
QImage asArgb(const QImage &img)
{
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;
    ScriptedDialogSeam m_seam;

    QAction *action(const QString &text) const
    {
        const QList<QAction *> actions = m_window->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly);
        for (QAction *a : actions)
            if (a->text() == text)
                return a;
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(images);
        // The test binary lives outside build/bin, so no catalogue is bundled here;
        // a leftover from an earlier run would hide the fault this test looks for.
        QFile::remove(catalogueBesideExecutable());
    }

    void init()
    {
        m_seam.shown.clear();
        m_window.reset(new MainWindow(&m_seam));
    }

    void cleanup()
    {
        m_window.reset();
    }

    void startsWithoutCreatingTheCatalogue()
    {
        QVERIFY(!QFile::exists(catalogueBesideExecutable()));
        QCOMPARE(m_window->statusBar()->currentMessage(), QStringLiteral("Brak połączenia z bazą danych"));
        QVERIFY(!QSqlDatabase::database(QSqlDatabase::defaultConnection, false).isOpen());
        // A status message, not a permanent one.
        QTRY_COMPARE_WITH_TIMEOUT(m_window->statusBar()->currentMessage(), QString(), 8000);
    }

    void opensAnExistingCatalogue()
    {
        m_window.reset();
        {
            QFile empty(catalogueBesideExecutable());
            QVERIFY(empty.open(QIODevice::WriteOnly)); // an empty file is an empty SQLite database
        }
        m_window.reset(new MainWindow(&m_seam));
        const bool open = QSqlDatabase::database(QSqlDatabase::defaultConnection, false).isOpen();
        const QString message = m_window->statusBar()->currentMessage();
        m_window.reset();
        QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
        QFile::remove(catalogueBesideExecutable());
        QVERIFY(open);
        QCOMPARE(message, QStringLiteral("Połączono z bazą danych"));
    }

    void startUpArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("project");
        QTest::newRow("none") << QStringList({"mox"}) << QString();
        QTest::newRow("one") << QStringList({"mox", "/home/u/mox/hala.mox"}) << "/home/u/mox/hala.mox";
        QTest::newRow("two") << QStringList({"mox", "a.mox", "b.mox"}) << QString();
        QTest::newRow("empty list") << QStringList() << QString();
    }

    void startUpArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, project);
        QCOMPARE(MainWindow::projectFromArguments(arguments), project);
    }

    void titleAndMenus()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("MOX NORVANTE"));
        QCOMPARE(m_window->tabWidget()->tabText(0), QStringLiteral("project"));
        QCOMPARE(m_window->tabWidget()->widget(0), static_cast<QWidget *>(m_window->projectDoc()));

        const QList<QAction *> bar = m_window->menuBar()->actions();
        QStringList titles;
        for (QAction *a : bar)
            titles << a->text();
        QCOMPARE(titles, QStringList({"&Plik", "Widok", "Projekt", "&Element", "&Ustawienia", "&Pomoc"}));

        const QList<QStringList> expected = {
            {"&Nowy projekt", kSeparator, "&Otwórz", "&Zapisz", "Z&apisz jako", kSeparator,
             "&Drukuj projekt", "D&rukuj zamówienie", kSeparator, "Za&kończ", kSeparator, "Eksport BOM do CSV"},
            {"Ukryj połączenia", "Ukryj opisy", "Właściwości", "Kontrola PoE", "Pokaż kontrolę PoE"},
            {"&Dodaj tło", "&Usuń tło", kSeparator, "Dodaj logo projektanta", "Usuń logo projektanta"},
            {"&Usuń", kSeparator, "Obrót w lewo", "Obrót w prawo", kSeparator, "Cofnij", "Ponów"},
            {"&Import Kamer z pliku CSV"},
            {"&Informacje o aplikacji"},
        };
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(entries(bar.at(i)->menu()->actions()), expected.at(i));
        QCOMPARE(m_window->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly).size(), 21);
        // The element menu is the items' context menu as well.
        QCOMPARE(m_window->itemMenu(), bar.at(3)->menu());
        QCOMPARE(m_window->scene()->itemMenu(), m_window->itemMenu());
        QCOMPARE(m_window->projectDoc()->itemMenu(), m_window->itemMenu());
    }

    void actions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("statusTip");
        QTest::addColumn<bool>("checkable");

        QTest::newRow("rotate left") << "Obrót w lewo" << "object-rotate-left.png" << "Ctrl+[" << "obrót w lewo" << false;
        QTest::newRow("rotate right") << "Obrót w prawo" << "object-rotate-right.png" << "Ctrl+]" << "obrót w prawo" << false;
        QTest::newRow("new") << "&Nowy projekt" << "document-new.png" << "Ctrl+N"
                             << "Generowanie nowego projektu za pomocą kreatora" << false;
        QTest::newRow("open") << "&Otwórz" << "document-open.png" << "Ctrl+O" << "Otwarcie projektu" << false;
        QTest::newRow("save") << "&Zapisz" << "document-save.png" << "Ctrl+S" << "Zapis projektu" << false;
        QTest::newRow("save as") << "Z&apisz jako" << "document-save.png" << "" << "Zapis projektu jako" << false;
        QTest::newRow("print project") << "&Drukuj projekt" << "document-print.png" << "Ctrl+P"
                                       << "Drukowanie projektu do pliku PDF" << false;
        QTest::newRow("print order") << "D&rukuj zamówienie" << "document-print-frame.png" << "Ctrl+R"
                                     << "Drukowanie zamówienia do pliku PDF" << false;
        QTest::newRow("hide wires") << "Ukryj połączenia" << "" << "" << "Ukrywa / Pokazuje połączenia" << true;
        QTest::newRow("hide descriptions") << "Ukryj opisy" << "" << "" << "Ukrywa / Pokazuje opisy urządzenia" << true;
        QTest::newRow("delete") << "&Usuń" << "delete.png" << "Del" << "Usuń element z diagramu" << false;
        QTest::newRow("add background") << "&Dodaj tło" << "" << "Ctrl+D" << "dodanie tła" << false;
        QTest::newRow("remove background") << "&Usuń tło" << "" << "Ctrl+U" << "usuwanie tła" << false;
        QTest::newRow("add logo") << "Dodaj logo projektanta" << "" << ""
                                  << "Dodanie loga projektanta, logo jest wyświetlane na schemacie i zamówieniu." << false;
        QTest::newRow("remove logo") << "Usuń logo projektanta" << "" << "" << "Usuwanie loga projektanta" << false;
        QTest::newRow("csv import") << "&Import Kamer z pliku CSV" << "text-csv.png" << "" << "Import Kamer z pliku CSV" << false;
        QTest::newRow("exit") << "Za&kończ" << "application-exit.png" << kQuit << "Wyjście z aplikacji" << false;
        QTest::newRow("about") << "&Informacje o aplikacji" << "help-about.png" << "F1" << "" << false;
    }

    void actions()
    {
        QFETCH(QString, text);
        QFETCH(QString, icon);
        QFETCH(QString, shortcut);
        QFETCH(QString, statusTip);
        QFETCH(bool, checkable);

        QAction *a = action(text);
        QVERIFY2(a, qPrintable(text));
        QCOMPARE(a->statusTip(), statusTip);
        QCOMPARE(a->isCheckable(), checkable);
        QVERIFY(!a->isChecked());
        if (shortcut == kQuit)
            QCOMPARE(a->shortcut(), QKeySequence(QKeySequence::Quit));
        else
            QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), shortcut);
        if (icon.isEmpty()) {
            QVERIFY(a->icon().isNull());
        } else {
            const QImage expected(QStringLiteral(":/images/") + icon);
            QVERIFY(!expected.isNull());
            QCOMPARE(asArgb(a->icon().pixmap(expected.size()).toImage()), asArgb(expected));
        }
    }

    void toolBars()
    {
        const QList<QToolBar *> bars = m_window->findChildren<QToolBar *>();
        QCOMPARE(bars.size(), 2);
        QCOMPARE(bars.at(0)->windowTitle(), QStringLiteral("Edytuj"));
        QCOMPARE(bars.at(1)->windowTitle(), QStringLiteral("Rodzaj wskaźnika"));
        QCOMPARE(entries(bars.at(0)->actions()),
                 QStringList({"&Nowy projekt", "&Otwórz", "&Zapisz", "Z&apisz jako", "&Drukuj projekt",
                              "D&rukuj zamówienie", "&Usuń", kSeparator, "Cofnij", "Ponów"}));

        // Pointer, line pointer, zoom, in this order.
        const QList<QAction *> pointerActions = bars.at(1)->actions();
        QCOMPARE(pointerActions.size(), 3);
        auto *pointer = qobject_cast<QToolButton *>(bars.at(1)->widgetForAction(pointerActions.at(0)));
        auto *linePointer = qobject_cast<QToolButton *>(bars.at(1)->widgetForAction(pointerActions.at(1)));
        QVERIFY(pointer && linePointer);
        QCOMPARE(bars.at(1)->widgetForAction(pointerActions.at(2)), static_cast<QWidget *>(m_window->sceneScaleCombo()));

        QButtonGroup *group = m_window->pointerTypeGroup();
        QVERIFY(group->exclusive());
        QCOMPARE(group->id(pointer), int(DiagramScene::MoveItem));
        QCOMPARE(group->id(linePointer), int(DiagramScene::InsertLine));
        QVERIFY(pointer->isChecked());
        QVERIFY(!linePointer->isChecked());

        QComboBox *combo = m_window->sceneScaleCombo();
        QStringList zooms;
        for (int i = 0; i < combo->count(); ++i)
            zooms << combo->itemText(i);
        QCOMPARE(zooms, QStringList({"50%", "75%", "100%", "125%", "150%"}));
        QCOMPARE(combo->currentText(), QStringLiteral("100%"));
    }

    void elementToolBox()
    {
        QToolBox *box = m_window->toolBox();
        QCOMPARE(box->itemText(0), QStringLiteral("Elementy"));

        QButtonGroup *group = m_window->itemButtonGroup();
        QVERIFY(!group->exclusive());
        QVERIFY(!group->checkedButton());

        auto *layout = qobject_cast<QGridLayout *>(box->widget(0)->layout());
        QVERIFY(layout);
        const struct { int row; int type; const char *label; const char *image; } cells[] = {
            {0, DiagramItem::Camera, "Kamera", ":/images/camera.png"},
            {1, DiagramItem::PD, "Punkt dystrybucyjny", ":/images/pd.png"},
        };
        for (const auto &cell : cells) {
            QWidget *widget = layout->itemAtPosition(cell.row, 0)->widget();
            auto *button = widget->findChild<QToolButton *>();
            QCOMPARE(widget->findChild<QLabel *>()->text(), QString::fromUtf8(cell.label));
            QCOMPARE(group->id(button), cell.type);
            QCOMPARE(button->iconSize(), QSize(50, 50));
            // The icon is the element's own picture, in its unrecoloured black.
            const QImage expected(QString::fromLatin1(cell.image));
            QCOMPARE(asArgb(button->icon().pixmap(expected.size()).toImage()), asArgb(expected));
        }
    }

    void aboutBox()
    {
        action(QStringLiteral("&Informacje o aplikacji"))->trigger();
        QCOMPARE(m_seam.kinds(), QStringList({"about"}));
        QCOMPARE(m_seam.shown.at(0).title, QStringLiteral("Informacje o aplikacji"));
        QCOMPARE(m_seam.shown.at(0).text, QStringLiteral(" Wersja aplikacji: 1.0.22"));
        QVERIFY(m_seam.shown.at(0).hasParent);
    }

    void closingAFreshWindowAsksNothing()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        action(QStringLiteral("Za&kończ"))->trigger();
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_seam.shown.isEmpty());
    }

    void placingFromTheToolBox()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        DiagramScene *scene = m_window->scene();
        QButtonGroup *items = m_window->itemButtonGroup();
        QAbstractButton *camera = items->button(DiagramItem::Camera);
        QAbstractButton *pd = items->button(DiagramItem::PD);

        QTest::mouseClick(camera, Qt::LeftButton);
        QVERIFY(camera->isChecked());
        QCOMPARE(scene->mode(), DiagramScene::InsertItem);
        QCOMPARE(scene->itemType(), DiagramItem::Camera);

        // Choosing the other element leaves only that one checked.
        QTest::mouseClick(pd, Qt::LeftButton);
        QVERIFY(pd->isChecked());
        QVERIFY(!camera->isChecked());
        QCOMPARE(scene->itemType(), DiagramItem::PD);
        QCOMPARE(scene->mode(), DiagramScene::InsertItem);

        QGraphicsView *view = m_window->projectDoc()->view();
        const QPointF where(400, 300);
        view->ensureVisible(QRectF(where, QSizeF(1, 1)));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(where));

        QList<DiagramItem *> placed = tst::itemsOf<DiagramItem>(scene);
        QCOMPARE(placed.size(), 1);
        QCOMPARE(placed.at(0)->diagramType(), DiagramItem::PD);
        QVERIFY(qAbs(placed.at(0)->pos().x() - where.x()) <= 1.0);
        QVERIFY(qAbs(placed.at(0)->pos().y() - where.y()) <= 1.0);
        QCOMPARE(placed.at(0)->color(), QColor(scene->colorPD()));

        // One placement per click on the tool box.
        QVERIFY(!pd->isChecked());
        QVERIFY(!items->checkedButton());
        QCOMPARE(m_window->pointerTypeGroup()->checkedId(), int(DiagramScene::MoveItem));
        QCOMPARE(scene->mode(), DiagramScene::MoveItem);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(700, 300)));
        QCOMPARE(tst::itemsOf<DiagramItem>(scene).size(), 1);

        QButtonGroup *pointers = m_window->pointerTypeGroup();
        QTest::mouseClick(pointers->button(DiagramScene::InsertLine), Qt::LeftButton);
        QCOMPARE(scene->mode(), DiagramScene::InsertLine);
        QVERIFY(!pointers->button(DiagramScene::MoveItem)->isChecked());
        QTest::mouseClick(pointers->button(DiagramScene::MoveItem), Qt::LeftButton);
        QCOMPARE(scene->mode(), DiagramScene::MoveItem);
    }

    // Element pictures are recoloured by turning their pure black pixels into
    // the element colour: the outline must be pure black and nothing else may
    // be, not even a transparent pixel.
    void elementImagesRecolourCleanly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("camera") << ":/images/camera.png";
        QTest::newRow("pd") << ":/images/pd.png";
    }

    void elementImagesRecolourCleanly()
    {
        QFETCH(QString, name);
        // As the item loads it: straight alpha, colour kept under transparency.
        const QImage img = QImage(name).convertToFormat(QImage::Format_ARGB32);
        int black = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.red() == 0 && c.green() == 0 && c.blue() == 0) {
                    QVERIFY2(c.alpha() == 255, qPrintable(QString("transparent black at %1,%2").arg(x).arg(y)));
                    ++black;
                } else if (c.alpha() > 0) {
                    QVERIFY2(qMax(c.red(), qMax(c.green(), c.blue())) >= 96,
                             qPrintable(QString("near-black detail at %1,%2").arg(x).arg(y)));
                }
            }
        }
        QVERIFY(black > 60);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
