// The diagram editing commands of the main window, used as the user uses
// them: selections made on the sheet, actions and tool-bar controls, file
// dialogs answered by the scripted seam.

#include "networkbuilder.h"
#include "scripteddialogseam.h"
#include "testcatalogue.h"

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "property/widget/qtnpropertywidget.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGraphicsPixmapItem>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

void sendMouse(QGraphicsScene *scene, QEvent::Type type, const QPointF &pos, Qt::KeyboardModifiers mods = {})
{
    QGraphicsSceneMouseEvent event(type);
    event.setScenePos(pos);
    event.setScreenPos(pos.toPoint());
    event.setButton(type == QEvent::GraphicsSceneMouseMove ? Qt::NoButton : Qt::LeftButton);
    event.setButtons(type == QEvent::GraphicsSceneMouseRelease ? Qt::NoButton : Qt::LeftButton);
    event.setButtonDownScenePos(Qt::LeftButton, pos);
    event.setModifiers(mods);
    QApplication::sendEvent(scene, &event);
}

void click(QGraphicsScene *scene, const QPointF &pos, Qt::KeyboardModifiers mods = {})
{
    sendMouse(scene, QEvent::GraphicsSceneMousePress, pos, mods);
    sendMouse(scene, QEvent::GraphicsSceneMouseRelease, pos, mods);
}

void drag(QGraphicsScene *scene, const QPointF &from, const QPointF &to)
{
    sendMouse(scene, QEvent::GraphicsSceneMousePress, from);
    sendMouse(scene, QEvent::GraphicsSceneMouseMove, to);
    sendMouse(scene, QEvent::GraphicsSceneMouseRelease, to);
}

QList<Wire *> wiresOf(QGraphicsScene *scene)
{
    QList<Wire *> out;
    for (QGraphicsItem *item : scene->items())
        if (item->type() == Wire::Type)
            out << static_cast<Wire *>(item);
    return out;
}

QList<DiagramItem *> itemsOf(QGraphicsScene *scene)
{
    QList<DiagramItem *> out;
    for (QGraphicsItem *item : scene->items())
        if (item->type() == DiagramItem::Type)
            out << static_cast<DiagramItem *>(item);
    return out;
}

QString writeImage(const QTemporaryDir &dir, const QString &name, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    const QString path = dir.filePath(name);
    return image.save(path) ? path : QString();
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogSeam m_seam;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<NetworkBuilder> m_net;
    QTemporaryDir m_home;

    DiagramScene *scene() const { return m_window->scene(); }
    QtnPropertySet *shown() const { return m_window->propertyWidget()->propertySet(); }
    QAction *action(const QString &text) const
    {
        for (QAction *a : m_window->findChildren<QAction *>())
            if (a->text() == text)
                return a;
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        // The CSV import creates ~/mox; keep it out of the real home.
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toLocal8Bit());
    }

    void init()
    {
        m_window.reset(new MainWindow(&m_seam));
        m_net.reset(new NetworkBuilder(scene(), m_window->itemMenu()));
    }

    void cleanup()
    {
        m_net.reset();
        m_window.reset();
        m_seam.shown.clear();
        m_seam.fileAnswers.clear();
    }

    void deleteSelection_data()
    {
        QTest::addColumn<QString>("order");   // what is selected, in selection order
        QTest::addColumn<int>("wiresDestroyed");
        QTest::addColumn<int>("itemsLeft");
        QTest::addColumn<int>("wiresLeft");
        // Network: point P with cameras A, B, C; wire a = P-A, b = P-B, c = P-C.
        QTest::newRow("point with three cameras") << "P" << 3 << 3 << 0;
        QTest::newRow("wire first, then its ends") << "a,P,A" << 3 << 2 << 0;
        QTest::newRow("ends first, then the wire") << "A,P,a" << 3 << 2 << 0;
        QTest::newRow("camera then its wire") << "A,a" << 1 << 3 << 2;
        QTest::newRow("two wires alone") << "b,c" << 2 << 4 << 1;
        QTest::newRow("camera alone") << "C" << 1 << 3 << 2;
    }

    void deleteSelection()
    {
        QFETCH(QString, order);
        QFETCH(int, wiresDestroyed);
        QFETCH(int, itemsLeft);
        QFETCH(int, wiresLeft);

        QMap<QString, QGraphicsItem *> named;
        DiagramItem *p = m_net->addPd({500, 200}, 1);
        named[QStringLiteral("P")] = p;
        int i = 0;
        for (const QString &name : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}) {
            DiagramItem *camera = m_net->addCamera({300.0 + 200 * i, 600}, uint(i + 1));
            named[name] = camera;
            named[name.toLower()] = m_net->connect(p, camera, 30);
            ++i;
        }
        // Each wire's set dies with its wire: a double destruction would
        // count twice (and fail under the sanitizer long before).
        int destroyedSets = 0;
        for (Wire *wire : wiresOf(scene()))
            connect(wire->propertySet(), &QObject::destroyed, this, [&destroyedSets] { ++destroyedSets; });

        scene()->clearSelection();
        for (const QString &name : order.split(QLatin1Char(',')))
            named.value(name)->setSelected(true);
        action(QStringLiteral("&Usuń"))->trigger();

        QCOMPARE(destroyedSets, wiresDestroyed);
        QCOMPARE(itemsOf(scene()).size(), itemsLeft);
        QCOMPARE(wiresOf(scene()).size(), wiresLeft);
        for (DiagramItem *item : itemsOf(scene()))
            for (Wire *wire : item->wires())
                QVERIFY(wiresOf(scene()).contains(wire));
        QCOMPARE(shown(), static_cast<QtnPropertySet *>(scene()->projectSet()));
    }

    // The point's set is shown in the dock when the point goes; the dock must
    // be left with a live set that still drives the drawing.
    void deleteWhileShown()
    {
        DiagramItem *p = m_net->addPd({500, 200}, 1);
        DiagramItem *camera = m_net->addCamera({500, 600}, 1);
        m_net->connect(p, camera, 30);
        click(scene(), p->pos());
        QCOMPARE(shown(), static_cast<QtnPropertySet *>(p->pdSet()));

        m_window->deleteItem();
        QCOMPARE(itemsOf(scene()), QList<DiagramItem *>{camera});
        QCOMPARE(shown(), static_cast<QtnPropertySet *>(scene()->projectSet()));
        m_window->propertyWidget()->repaint();

        auto *project = qobject_cast<QtnPropertySetProject *>(shown());
        QVERIFY(project);
        m_window->projectDoc()->setModified(false);
        project->Name.setValue(QStringLiteral("Magazyn"));
        QVERIFY(m_window->projectDoc()->isModified());
        QCOMPARE(m_window->projectDoc()->nameText()->toPlainText(), QStringLiteral("Magazyn"));

        // The surviving camera is shown and edited next.
        click(scene(), camera->pos());
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
        QTest::newRow("one right") << "R" << 45;
        QTest::newRow("two right") << "RR" << 90;
        QTest::newRow("four left") << "LLLL" << 180;
        QTest::newRow("right then left") << "RL" << 0;
    }

    void rotation()
    {
        QFETCH(QString, steps);
        QFETCH(int, angle);
        DiagramItem *camera = m_net->addCamera({400, 400}, 1);
        DiagramItem *other = m_net->addCamera({800, 400}, 2);
        const qreal upright = camera->computeRect().height();
        const int iconWidth = camera->iconImage().width();
        const int iconHeight = camera->iconImage().height();

        // Nothing selected: nothing turns.
        scene()->clearSelection();
        m_window->rotateRight();
        QCOMPARE(camera->rotation(), 0);

        click(scene(), camera->pos());
        for (QChar step : steps)
            (step == QLatin1Char('R') ? action(QStringLiteral("Obrót w prawo"))
                                      : action(QStringLiteral("Obrót w lewo")))->trigger();
        QCOMPARE(camera->rotation(), angle);
        QCOMPARE(other->rotation(), 0);
        // Upright or upside down the icon stands; turned, it lies on its side.
        const qreal expected = (angle == 0 || angle == 180) ? upright : upright - iconHeight + iconWidth + 15;
        QCOMPARE(camera->computeRect().height(), expected);
    }

    void rotatingAWireDoesNothing()
    {
        DiagramItem *p = m_net->addPd({500, 200}, 1);
        DiagramItem *camera = m_net->addCamera({500, 600}, 1);
        Wire *wire = m_net->connect(p, camera, 30);
        scene()->clearSelection();
        wire->setSelected(true);
        m_window->rotateLeft();
        QCOMPARE(p->rotation(), 0);
        QCOMPARE(camera->rotation(), 0);
    }

    // The flags hold for everything on the sheet and for what comes later.
    void hideFlags()
    {
        DiagramItem *p = m_net->addPd({500, 200}, 1);
        DiagramItem *camera = m_net->addCamera({300, 600}, 1);
        Wire *old = m_net->connect(p, camera, 30);

        action(QStringLiteral("Ukryj połączenia"))->setChecked(true);
        action(QStringLiteral("Ukryj opisy"))->setChecked(true);
        QVERIFY(!old->isVisible());
        QVERIFY(p->isVisible());
        QVERIFY(p->descriptionsHidden());
        QVERIFY(camera->descriptionsHidden());

        // A camera placed from the tool box, then a cable drawn to it.
        m_window->itemButtonGroup()->button(DiagramItem::Camera)->click();
        QCOMPARE(scene()->mode(), DiagramScene::InsertItem);
        click(scene(), QPointF(800, 600));
        QCOMPARE(scene()->mode(), DiagramScene::MoveItem);
        QVERIFY(!m_window->itemButtonGroup()->button(DiagramItem::Camera)->isChecked());
        DiagramItem *placed = nullptr;
        for (DiagramItem *item : itemsOf(scene()))
            if (item != p && item != camera)
                placed = item;
        QVERIFY(placed);
        QVERIFY(placed->descriptionsHidden());
        QCOMPARE(placed->color(), QColor(scene()->colorCameras()));

        m_window->pointerTypeGroup()->button(DiagramScene::InsertLine)->click();
        QCOMPARE(scene()->mode(), DiagramScene::InsertLine);
        drag(scene(), p->pos(), placed->pos());
        QCOMPARE(wiresOf(scene()).size(), 2);
        Wire *drawn = placed->wires().value(0);
        QVERIFY(drawn);
        QVERIFY(!drawn->isVisible());
        QCOMPARE(drawn->color(), QColor(scene()->colorWires()));
        // A new cable is calculated but does not count as an edit.
        QVERIFY(qAbs(placed->vin() - 47.2696) < 1e-3);

        action(QStringLiteral("Ukryj połączenia"))->setChecked(false);
        action(QStringLiteral("Ukryj opisy"))->setChecked(false);
        for (Wire *wire : wiresOf(scene()))
            QVERIFY(wire->isVisible());
        for (DiagramItem *item : itemsOf(scene()))
            QVERIFY(!item->descriptionsHidden());
    }

    void toolBoxButtons()
    {
        QButtonGroup *group = m_window->itemButtonGroup();
        group->button(DiagramItem::Camera)->click();
        group->button(DiagramItem::PD)->click();
        QVERIFY(!group->button(DiagramItem::Camera)->isChecked());
        QVERIFY(group->button(DiagramItem::PD)->isChecked());
        QCOMPARE(scene()->itemType(), DiagramItem::PD);
        QCOMPARE(scene()->mode(), DiagramScene::InsertItem);
    }

    void logo_data()
    {
        QTest::addColumn<QSize>("file");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("wide, scaled") << QSize(300, 100) << QSize(150, 50);
        QTest::newRow("small, unscaled") << QSize(100, 50) << QSize(100, 50);
        QTest::newRow("tall, scaled") << QSize(100, 200) << QSize(40, 80);
        QTest::newRow("exactly the box") << QSize(150, 80) << QSize(150, 80);
        QTest::newRow("one pixel too high") << QSize(150, 81) << QSize(148, 80);
    }

    void logo()
    {
        QFETCH(QSize, file);
        QFETCH(QSize, shown);
        QTemporaryDir dir;
        const QString path = writeImage(dir, QStringLiteral("logo.png"), file.width(), file.height());
        QVERIFY(!path.isEmpty());

        m_seam.fileAnswers.enqueue(path);
        action(QStringLiteral("Dodaj logo projektanta"))->trigger();
        QCOMPARE(m_seam.shown.last().kind, QStringLiteral("open"));
        QCOMPARE(m_seam.shown.last().filter, QStringLiteral("Plik obrazu (*.bmp *.png)"));
        QCOMPARE(m_window->projectDoc()->logo().size(), shown);
        QCOMPARE(m_window->projectDoc()->logoItem()->pixmap().size(), shown);

        // Cancel keeps the logo; removing it empties the sheet's picture too.
        action(QStringLiteral("Dodaj logo projektanta"))->trigger();
        QCOMPARE(m_window->projectDoc()->logo().size(), shown);
        action(QStringLiteral("Usuń logo projektanta"))->trigger();
        QVERIFY(m_window->projectDoc()->logo().isNull());
        QVERIFY(m_window->projectDoc()->logoItem()->pixmap().isNull());
    }

    void background()
    {
        QTemporaryDir dir;
        const QString path = writeImage(dir, QStringLiteral("plan.png"), 600, 300);
        m_seam.fileAnswers.enqueue(path);
        action(QStringLiteral("&Dodaj tło"))->trigger();
        QCOMPARE(m_seam.shown.last().title, QStringLiteral("Otwórz obraz tła"));
        QCOMPARE(m_seam.shown.last().text, QDir::currentPath());
        QCOMPARE(m_window->projectDoc()->background().size(), QSize(600, 300));
        const QBrush brush = scene()->backgroundBrush();
        QCOMPARE(brush.style(), Qt::TexturePattern);
        QCOMPARE(brush.texture().size(), QSize(1188, 840));
        QVERIFY(brush.transform().isIdentity());

        // An unreadable file gives an empty background, no message.
        m_seam.fileAnswers.enqueue(dir.filePath(QStringLiteral("missing.png")));
        m_window->addBackground();
        QVERIFY(m_window->projectDoc()->background().isNull());
        QCOMPARE(scene()->backgroundBrush().style(), Qt::NoBrush);

        m_seam.fileAnswers.enqueue(path);
        m_window->addBackground();
        action(QStringLiteral("&Usuń tło"))->trigger();
        QVERIFY(m_window->projectDoc()->background().isNull());
        QCOMPARE(scene()->backgroundBrush(), QBrush());
        QVERIFY(!m_seam.kinds().contains(QStringLiteral("message")));
    }

    void zoom()
    {
        QComboBox *combo = m_window->sceneScaleCombo();
        QGraphicsView *view = m_window->projectDoc()->view();
        combo->setCurrentText(QStringLiteral("150%"));
        QCOMPARE(view->transform().m11(), 1.5);
        combo->setCurrentText(QStringLiteral("50%"));
        QCOMPARE(view->transform().m11(), 0.5);
        QCOMPARE(view->transform().m22(), 0.5);
        combo->setCurrentText(QStringLiteral("125%"));
        QCOMPARE(view->transform().m22(), 1.25);
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
        QCOMPARE(loses->modelName(), QStringLiteral("Kam B"));
        const QStringList before = catalogue.rows(QStringLiteral("camera"));

        // Cancel: nothing changes.
        m_window->importCamerasFromCsv();
        const ScriptedDialogSeam::Shown asked = m_seam.shown.last();
        QCOMPARE(asked.kind, QStringLiteral("open"));
        QCOMPARE(asked.title, QStringLiteral("Otwórz plik csv"));
        QCOMPARE(asked.filter, QStringLiteral("plik csv (*.csv)"));
        QCOMPARE(asked.text, QDir::homePath() + QDir::separator() + QStringLiteral("mox"));
        QVERIFY(asked.hasParent);
        QVERIFY(QDir(QDir::homePath()).exists(QStringLiteral("mox")));
        QCOMPARE(catalogue.rows(QStringLiteral("camera")), before);
        QCOMPARE(loses->modelName(), QStringLiteral("Kam B"));

        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("kamery.csv"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Kam A,12,2048\r\nKam C,7W,4096\nA,5,1000,extra\n");
        file.close();
        m_seam.fileAnswers.enqueue(csv);
        action(QStringLiteral("&Import Kamer z pliku CSV"))->trigger();

        QCOMPARE(catalogue.rows(QStringLiteral("camera")),
                 (QStringList{QStringLiteral("Kam A|12|2048"), QStringLiteral("Kam C|0|4096")}));
        QCOMPARE(keeps->modelName(), QStringLiteral("Kam A"));
        QVERIFY(!keeps->modelMissing());
        QCOMPARE(loses->cameraSet()->Model.value(), 0);
        QCOMPARE(loses->modelName(), QStringLiteral("Nie określono"));
        QVERIFY(loses->modelMissing());
        QCOMPARE(loses->cameraSet()->Power.value(), 30u);
        QCOMPARE(loses->cameraSet()->Bitrate.value(), 8000);
        // The new list offers the imported model.
        QVERIFY(loses->cameraSet()->Model.enumInfo()->findByDisplayName(QStringLiteral("Kam C")));
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
