// The diagram editing commands of the main window, used as the user uses
// them: selections made on the sheet, actions and tool-bar controls, file
// dialogs answered by the scripted seam.

#include "binding/editorfixture.h"
#include "testcatalogue.h"
#include "testhelpers.h"

#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"
#include "propertysets/qtnpropertysetwire.h"
#include "undo/undohistory.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGraphicsPixmapItem>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QPainter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

class TestEditing : public EditorFixture
{
    Q_OBJECT

    QTemporaryDir m_home;

    QList<DiagramItem *> items() const { return tst::itemsOf<DiagramItem>(scene()); }
    QList<Wire *> wires() const { return tst::itemsOf<Wire>(scene()); }
    void trigger(const QString &text) const { action(text)->trigger(); }
    void check(const QString &text, bool on) const { action(text)->setChecked(on); }

private slots:
    void initTestCase()
    {
        // The CSV import creates ~/mox; keep it out of the real home.
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toLocal8Bit());
    }

    void init() { openEditor(); }
    void cleanup() { closeEditor(); }

    void deleteSelection_data()
    {
        QTest::addColumn<QString>("order");   // what is selected, in selection order
        QTest::addColumn<int>("wiresDestroyed");
        QTest::addColumn<int>("itemsLeft");
        // Network: point P with cameras A, B, C; wire a = P-A, b = P-B, c = P-C.
        QTest::newRow("point with three cameras") << "P" << 3 << 3;
        QTest::newRow("wire first, then its ends") << "a,P,A" << 3 << 2;
        QTest::newRow("ends first, then the wire") << "A,P,a" << 3 << 2;
        QTest::newRow("camera then its wire") << "A,a" << 1 << 3;
        QTest::newRow("two wires alone") << "b,c" << 2 << 4;
    }

    void deleteSelection()
    {
        QFETCH(QString, order);
        QFETCH(int, wiresDestroyed);
        QFETCH(int, itemsLeft);
        QMap<QString, QGraphicsItem *> named;
        DiagramItem *p = m_net->addPd({500, 200}, 1);
        named[QStringLiteral("P")] = p;
        for (int i = 0; i < 3; ++i) {
            DiagramItem *camera = m_net->addCamera({300.0 + 200 * i, 600}, uint(i + 1));
            named[QString(QChar('A' + i))] = camera;
            named[QString(QChar('a' + i))] = m_net->connect(p, camera, 30);
        }
        // Each wire's set dies with its wire: a double destruction would
        // count twice (and fail under the sanitizer long before). The wires
        // that survive the row die with the editor after it; the counter's
        // connections end with the row, before the counter does.
        int destroyedSets = 0;
        QObject rowScope;
        for (Wire *wire : wires())
            connect(wire->propertySet(), &QObject::destroyed, &rowScope, [&destroyedSets] { ++destroyedSets; });

        scene()->clearSelection();
        for (const QString &name : order.split(QLatin1Char(',')))
            named.value(name)->setSelected(true);
        trigger(QStringLiteral("&Usuń"));
        // The undo history keeps what it may bring back until it is emptied.
        QCOMPARE(destroyedSets, 0);
        m_window->undoHistory()->clear();

        QCOMPARE(destroyedSets, wiresDestroyed);
        QCOMPARE(items().size(), itemsLeft);
        QCOMPARE(wires().size(), 3 - wiresDestroyed);
        for (DiagramItem *item : items())
            for (Wire *wire : item->wires())
                QVERIFY(wires().contains(wire));
        QCOMPARE(shown(), static_cast<QtnPropertySet *>(scene()->projectSet()));
    }

    // A camera taken away takes its cable off the sheet: nothing of the
    // cable is painted where it ran (the cables of the point's fan spread
    // again, and the scene heard of it only after they had, so it went on
    // painting the cable that went).
    void deletedCableLeavesNoTrace()
    {
        m_window->loadProject(QStringLiteral(MOX_EXAMPLE_PATH));
        // Shown and painted: the scene has indexed where everything runs.
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QList<DiagramItem *> cameras;
        for (DiagramItem *item : items()) {
            if (item->diagramType() == DiagramItem::Camera && item->wires().size() == 1)
                cameras << item;
        }
        QVERIFY(cameras.size() > 10);
        const QRectF sheet = scene()->sceneRect();
        for (DiagramItem *camera : qAsConst(cameras)) {
            // Halfway along the cable's run from the camera to its bus.
            const QList<QPointF> route = camera->wires().first()->path();
            const QPointF probe = (route.at(2) + route.at(3)) / 2;
            scene()->clearSelection();
            click(camera->pos());
            QVERIFY(camera->isSelected());
            trigger(QStringLiteral("&Usuń"));
            QVERIFY(!camera->scene());
            QCoreApplication::processEvents();
            QImage image(sheet.size().toSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            scene()->render(&painter, QRectF(), sheet);
            painter.end();
            // Across the run, a little to either side (the cable that went
            // was painted with its fan spread as it is without it); where
            // another cable runs through the spot, it may be painted.
            const QRectF across(probe - QPointF(6, 1), QSizeF(12, 2));
            if (scene()->items(across).isEmpty()) {
                for (int x = -6; x <= 6; ++x) {
                    const QPoint pixel = (probe + QPointF(x, 0) - sheet.topLeft()).toPoint();
                    QVERIFY2(qGray(image.pixel(pixel)) > 200, qPrintable(camera->numberText()));
                }
            }
            m_window->undoHistory()->undo();
        }
    }

    // The point's set is shown in the dock when the point goes; the dock must
    // be left with a live set that still drives the drawing.
    void deleteWhileShown()
    {
        DiagramItem *p = m_net->addPd({500, 200}, 1);
        DiagramItem *camera = m_net->addCamera({500, 600}, 1);
        m_net->connect(p, camera, 30);
        click(p->pos());
        QCOMPARE(shown(), static_cast<QtnPropertySet *>(p->pdSet()));

        m_window->deleteItem();
        QCOMPARE(items(), QList<DiagramItem *>{camera});
        m_window->propertyWidget()->repaint();
        auto *project = qobject_cast<QtnPropertySetProject *>(shown());
        QCOMPARE(project, scene()->projectSet());
        m_window->projectDoc()->setModified(false);
        project->Name.setValue(QStringLiteral("Magazyn"));
        QVERIFY(m_window->projectDoc()->isModified());
        QCOMPARE(m_window->projectDoc()->nameText()->toPlainText(), QStringLiteral("Magazyn"));

        // The surviving camera is shown and edited next.
        click(camera->pos());
        QCOMPARE(shown(), static_cast<QtnPropertySet *>(camera->cameraSet()));
        camera->cameraSet()->Power.setValue(10);
        QVERIFY(camera->lowVoltage());   // no point feeds it any more
    }

    void rotation_data()
    {
        QTest::addColumn<QString>("steps");   // R right, L left
        QTest::addColumn<int>("angle");
        QTest::newRow("eight right") << "RRRRRRRR" << 0;
        QTest::newRow("one left from 0") << "L" << 315;
        QTest::newRow("two right") << "RR" << 90;
        QTest::newRow("four left") << "LLLL" << 180;
    }

    void rotation()
    {
        QFETCH(QString, steps);
        QFETCH(int, angle);
        DiagramItem *camera = m_net->addCamera({400, 400}, 1);
        DiagramItem *other = m_net->addCamera({800, 400}, 2);
        const qreal upright = camera->computeRect().height();
        const QSize icon = camera->iconImage().size();
        scene()->clearSelection();
        m_window->rotateRight();   // nothing selected: nothing turns

        click(camera->pos());
        for (QChar step : steps)
            trigger(step == QLatin1Char('R') ? QStringLiteral("Obrót w prawo") : QStringLiteral("Obrót w lewo"));
        QCOMPARE(camera->rotation(), angle);
        QCOMPARE(other->rotation(), 0);
        // Upright or upside down the icon stands; turned, it lies on its side.
        const qreal expected = angle % 180 == 0 ? upright : upright - icon.height() + icon.width() + 15;
        QCOMPARE(camera->computeRect().height(), expected);
    }

    // The flags hold for everything on the sheet and for what comes later.
    void hideFlags()
    {
        DiagramItem *p = m_net->addPd({500, 200}, 1);
        Wire *old = m_net->connect(p, m_net->addCamera({300, 600}, 1), 30);
        check(QStringLiteral("Ukryj połączenia"), true);
        check(QStringLiteral("Ukryj opisy"), true);
        QVERIFY(!old->isVisible());
        QVERIFY(p->isVisible());
        QVERIFY(p->descriptionsHidden());

        // A camera placed from the tool box, then a cable drawn to it.
        m_window->itemButtonGroup()->button(DiagramItem::Camera)->click();
        click(QPointF(800, 600));
        QCOMPARE(items().size(), 3);
        DiagramItem *placed = nullptr;
        for (DiagramItem *item : items())
            if (item->wires().isEmpty())
                placed = item;
        QVERIFY(placed && placed->descriptionsHidden());
        QCOMPARE(placed->color(), QColor(scene()->colorCameras()));
        m_window->pointerTypeGroup()->button(DiagramScene::InsertLine)->click();
        tst::press(scene(), {p->pos(), placed->pos()});
        Wire *drawn = placed->wires().value(0);
        QVERIFY(drawn);
        QVERIFY(!drawn->isVisible());

        check(QStringLiteral("Ukryj połączenia"), false);
        check(QStringLiteral("Ukryj opisy"), false);
        for (Wire *wire : wires())
            QVERIFY(wire->isVisible());
        for (DiagramItem *item : items())
            QVERIFY(!item->descriptionsHidden());
    }

    void logo_data()
    {
        QTest::addColumn<QSize>("file");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("wide, scaled") << QSize(300, 100) << QSize(150, 50);
        QTest::newRow("small, unscaled") << QSize(100, 50) << QSize(100, 50);
        QTest::newRow("tall, scaled") << QSize(100, 200) << QSize(40, 80);
        QTest::newRow("one pixel too high") << QSize(150, 81) << QSize(148, 80);
    }

    void logo()
    {
        QFETCH(QSize, file);
        QFETCH(QSize, shown);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("logo.png"));
        QImage image(file, QImage::Format_RGB32);
        image.fill(QColor(200, 40, 40));
        QVERIFY(image.save(path));

        m_seam.fileAnswers.enqueue(path);
        trigger(QStringLiteral("Dodaj logo projektanta"));
        QCOMPARE(m_window->projectDoc()->logo().size(), shown);
        QCOMPARE(m_window->projectDoc()->logoItem()->pixmap().size(), shown);
        // Cancel keeps the logo.
        trigger(QStringLiteral("Dodaj logo projektanta"));
        QCOMPARE(m_window->projectDoc()->logo().size(), shown);
    }

    void pictureSizeRule_data()
    {
        QTest::addColumn<QString>("way"); // the action, or "project" for a project file
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("background of the largest width") << "&Dodaj tło" << QSize(8192, 2) << true;
        QTest::newRow("background a pixel too wide") << "&Dodaj tło" << QSize(8193, 2) << false;
        QTest::newRow("logo a pixel too high") << "Dodaj logo projektanta" << QSize(2, 8193) << false;
        QTest::newRow("project with the largest height") << "project" << QSize(2, 8192) << true;
        QTest::newRow("project a pixel too high") << "project" << QSize(2, 8193) << false;
    }

    void pictureSizeRule()
    {
        QFETCH(QString, way);
        QFETCH(QSize, size);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(30, 90, 160));
        const QString picture = dir.filePath(QStringLiteral("obraz.png"));
        QVERIFY(image.save(picture));
        // What the sheet held before stays when a picture is refused.
        const QPixmap before(4, 3);
        ProjectDoc *doc = m_window->projectDoc();
        doc->setBackground(before);
        doc->setLogo(before);
        m_window->statusBar()->clearMessage();

        QPixmap taken;
        if (way == QLatin1String("project")) {
            const QString project = dir.filePath(QStringLiteral("projekt.mox"));
            QFile file(project);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("<?xml version=\"1.0\"?>\n<mox version=\"1.0\"><project><background>"
                       + tst::fileBytes(picture).toBase64() + "</background></project></mox>\n");
            file.close();
            m_window->loadProject(project);
            taken = doc->background();
            QVERIFY(accepted ? !taken.isNull() : taken.isNull());
        } else {
            m_seam.fileAnswers.enqueue(picture);
            trigger(way);
            taken = way == QStringLiteral("&Dodaj tło") ? doc->background() : doc->logo();
            QCOMPARE(taken.size(), accepted ? size : before.size());
        }
        const QString refusal = QStringLiteral("Pominięto obraz %1 × %2 pikseli: bok obrazu może mieć najwyżej 8192 pikseli.")
                                    .arg(size.width()).arg(size.height());
        QCOMPARE(m_window->statusBar()->currentMessage() == refusal, !accepted);
        if (accepted && way != QLatin1String("project"))
            QVERIFY(m_window->statusBar()->currentMessage().isEmpty());
    }

    void zoom()
    {
        QComboBox *combo = m_window->sceneScaleCombo();
        QGraphicsView *view = m_window->projectDoc()->view();
        combo->setCurrentText(QStringLiteral("150%"));
        combo->setCurrentText(QStringLiteral("50%"));
        QCOMPARE(view->transform(), QTransform::fromScale(0.5, 0.5));
        combo->setCurrentText(QStringLiteral("100%"));
        QVERIFY(view->transform().isIdentity());
    }

    void importCamerasFromCsv()
    {
        TestCatalogue catalogue;
        QVERIFY(catalogue.create({{QStringLiteral("Kam A"), 12, 2048}, {QStringLiteral("Kam B"), 30, 8000}}, {},
                                 {QStringLiteral("UTP kat.5E")}));
        DiagramItem *keeps = m_net->addCamera({300, 600}, 1);
        DiagramItem *loses = m_net->addCamera({600, 600}, 2);
        keeps->setModel(QStringLiteral("Kam A"));
        loses->setModel(QStringLiteral("Kam B"));
        loses->cameraSet()->Power.setValue(30);
        loses->cameraSet()->Bitrate.setValue(8000);
        const QStringList before = catalogue.rows(QStringLiteral("camera"));

        // Cancel: nothing changes.
        m_window->importCamerasFromCsv();
        QCOMPARE(m_seam.shown.last().text, QDir::homePath() + QDir::separator() + QStringLiteral("mox"));
        QCOMPARE(catalogue.rows(QStringLiteral("camera")), before);
        QCOMPARE(loses->modelName(), QStringLiteral("Kam B"));

        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("kamery.csv"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Kam A,12,2048\r\nKam C,7W,4096\nA,5,1000,extra\n");
        file.close();
        m_seam.fileAnswers.enqueue(csv);
        trigger(QStringLiteral("&Import Kamer z pliku CSV"));

        QCOMPARE(catalogue.rows(QStringLiteral("camera")),
                 (QStringList{QStringLiteral("Kam A|12|2048"), QStringLiteral("Kam C|0|4096")}));
        QCOMPARE(keeps->modelName(), QStringLiteral("Kam A"));
        QVERIFY(!keeps->modelMissing());
        QCOMPARE(loses->modelName(), QStringLiteral("Nie określono"));
        QVERIFY(loses->modelMissing());
        QCOMPARE(loses->cameraSet()->Power.value(), 30u);
        QCOMPARE(loses->cameraSet()->Bitrate.value(), 8000);
        QVERIFY(loses->cameraSet()->Model.enumInfo()->findByDisplayName(QStringLiteral("Kam C")));
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
