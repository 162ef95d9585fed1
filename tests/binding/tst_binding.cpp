// The binding between the selection, the property dock and the calculation,
// driven as the user drives it: elements are selected with the mouse on the
// sheet and edited through the set the dock shows.

#include "networkbuilder.h"
#include "scripteddialogseam.h"
#include "testcatalogue.h"

#include "app/mainwindow.h"
#include "app/selectionbinding.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "property/widget/qtnpropertywidget.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QApplication>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsTextItem>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString IP20 = QStringLiteral("Wewnętrzna (IP20)");

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

// A click on the sheet, Ctrl held to add to the selection.
void click(QGraphicsScene *scene, const QPointF &pos, Qt::KeyboardModifiers mods = {})
{
    sendMouse(scene, QEvent::GraphicsSceneMousePress, pos, mods);
    sendMouse(scene, QEvent::GraphicsSceneMouseRelease, pos, mods);
}

// A wire's outline exists only once it has been drawn, as on screen.
QPointF middleOf(Wire *wire)
{
    QImage image(1188, 840, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    wire->scene()->render(&painter);
    painter.end();
    const QList<QPointF> path = wire->path();
    return (path.at(1) + path.at(2)) / 2;
}

QList<Wire *> wiresOf(QGraphicsScene *scene)
{
    QList<Wire *> out;
    for (QGraphicsItem *item : scene->items())
        if (item->type() == Wire::Type)
            out << static_cast<Wire *>(item);
    return out;
}

QList<DiagramItem *> pointsOf(QGraphicsScene *scene)
{
    QList<DiagramItem *> out;
    for (QGraphicsItem *item : scene->items())
        if (item->type() == DiagramItem::Type && static_cast<DiagramItem *>(item)->diagramType() == DiagramItem::PD)
            out << static_cast<DiagramItem *>(item);
    return out;
}

int valueOf(const QtnPropertyEnum &property, const QString &displayName)
{
    const QtnEnumValueInfo *info = property.enumInfo()->findByDisplayName(displayName);
    return info ? info->value() : -1;
}

} // namespace

class TestBinding : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogSeam m_seam;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<TestCatalogue> m_catalogue;
    std::unique_ptr<NetworkBuilder> m_net;

    DiagramScene *scene() const { return m_window->scene(); }
    QtnPropertySet *shown() const { return m_window->propertyWidget()->propertySet(); }
    template <class Set>
    Set *shownAs() const { return qobject_cast<Set *>(shown()); }

    // A mains-fed point at (300, 300) with two 12 W cameras on 50 m cables.
    DiagramItem *pointWithTwoCameras()
    {
        DiagramItem *pd = m_net->addPd({300, 300}, 1);
        m_net->connect(pd, m_net->addCamera({200, 500}, 1, 12, 2048), 50);
        m_net->connect(pd, m_net->addCamera({400, 500}, 2, 12, 1024), 50);
        return pd;
    }

private slots:
    void init()
    {
        m_window.reset(new MainWindow(&m_seam));
        m_window->resize(1400, 900);
        m_catalogue.reset(new TestCatalogue);
        QVERIFY(m_catalogue->create({{QStringLiteral("Kam A"), 12, 2048}, {QStringLiteral("Kam B"), 30, 8000}},
                                    {{QStringLiteral("Mały"), IP20, 0, 4, 1, 20, 100000},
                                     {QStringLiteral("Duży"), IP20, 0, 8, 1, 100, 100000},
                                     {QStringLiteral("Duży z akumulatorem"), IP20, 1, 8, 1, 100, 100000},
                                     {QStringLiteral("Repeater"), IP20, 0, 4, 0, 100, 100000}},
                                    {QStringLiteral("UTP kat.5E")}));
        m_net.reset(new NetworkBuilder(scene(), m_window->itemMenu()));
        SelectionBinding::resetCounters();
    }

    void cleanup()
    {
        m_net.reset();
        m_window.reset();
        m_catalogue.reset();
        m_seam.shown.clear();
    }

    // The user selects a point and switches its battery backup on; the whole
    // road runs in that one edit.
    void roadOfOneEdit()
    {
        DiagramItem *pd = pointWithTwoCameras();
        click(scene(), pd->pos());
        QCOMPARE(scene()->selectedItems(), QList<QGraphicsItem *>{pd});
        auto *set = shownAs<QtnPropertySetPD>();
        QCOMPARE(set, pd->pdSet());
        QCOMPARE(pd->modelName(), QStringLiteral("Duży"));  // 24 W is too much for "Mały"
        QVERIFY(!set->BatterySet.isEditableByUser());
        m_window->projectDoc()->setModified(false);

        QSignalSpy repaint(scene(), &QGraphicsScene::changed);
        QVERIFY(set->Backup.setValue(MoxEnums::Yes));

        QVERIFY(set->Calculate.isEditableByUser());
        QVERIFY(set->BatterySet.isEditableByUser());
        QVERIFY(m_window->projectDoc()->isModified());
        QCOMPARE(set->AdvancedPD.OutPower.value(), 24u);
        QCOMPARE(set->AdvancedPD.OutBitrate.value(), 3072u);
        // The model query now asks for a backup battery.
        QCOMPARE(pd->modelName(), QStringLiteral("Duży z akumulatorem"));
        QVERIFY(!pd->modelMissing());
        QCOMPARE(pd->vout(), 48.0);
        QVERIFY(repaint.wait(1000));
        QVERIFY(!SelectionBinding::guardActive());
    }

    void batteryFigures_data()
    {
        QTest::addColumn<QList<int>>("cameraWatts");
        QTest::addColumn<bool>("calculate");
        QTest::addColumn<int>("input");        // backup hours (calculate) or capacity in Ah
        QTest::addColumn<QString>("result");   // property written
        QTest::addColumn<int>("expected");

        // 24 W at 12 V is 2 A.
        QTest::newRow("24 W for 10 h") << QList<int>{12, 12} << true << 10 << "BatterySet" << 20;
        QTest::newRow("24 W on 7 Ah") << QList<int>{12, 12} << false << 7 << "BatteryCount" << 4;
        // 7 / 12 x 12 is a whole 7 Ah, not one more.
        QTest::newRow("7 W for 12 h, whole") << QList<int>{7} << true << 12 << "BatterySet" << 7;
        QTest::newRow("25 W for 1 h, rounded up") << QList<int>{25} << true << 1 << "BatterySet" << 3;
        QTest::newRow("12 W on 7 Ah, whole") << QList<int>{12} << false << 7 << "BatteryCount" << 7;
        QTest::newRow("36 W on 7 Ah") << QList<int>{12, 12, 12} << false << 7 << "BatteryCount" << 3;
        QTest::newRow("no load, time") << QList<int>{} << false << 7 << "BatteryCount" << 0;
        QTest::newRow("no load, capacity") << QList<int>{} << true << 10 << "BatterySet" << 0;
    }

    void batteryFigures()
    {
        QFETCH(QList<int>, cameraWatts);
        QFETCH(bool, calculate);
        QFETCH(int, input);
        QFETCH(QString, result);
        QFETCH(int, expected);

        DiagramItem *pd = m_net->addPd({300, 300}, 1);
        for (int i = 0; i < cameraWatts.size(); ++i)
            m_net->connect(pd, m_net->addCamera({100.0 + 100 * i, 500}, uint(i + 1), uint(cameraWatts.at(i)), 1000));
        click(scene(), pd->pos());
        auto *set = shownAs<QtnPropertySetPD>();
        QVERIFY(set);
        set->Backup.setValue(MoxEnums::Yes);
        set->Calculate.setValue(calculate ? MoxEnums::Yes : MoxEnums::No);
        if (calculate) {
            QVERIFY(set->BatteryCount.isEditableByUser());
            set->BatteryCount.setValue(uint(input));
        } else {
            QVERIFY(set->BatterySet.isEditableByUser());
            set->BatterySet.setValue(uint(input));
        }
        const auto *written = qobject_cast<QtnPropertyUInt *>(set->findChildProperties(result).value(0));
        QVERIFY(written);
        QCOMPARE(int(written->value()), expected);
    }

    // Results written by the calculation come back into updateScene through
    // the shown set; those nested calls only do the bookkeeping.
    void nestedUpdateDoesFirstHalfOnly()
    {
        DiagramItem *pd = pointWithTwoCameras();
        QList<bool> guardAtChange;
        connect(pd->pdSet(), &QtnPropertyBase::propertyDidChange, this,
                [&guardAtChange] { guardAtChange << SelectionBinding::guardActive(); });

        click(scene(), pd->pos());

        const SelectionBinding::Counters counters = SelectionBinding::counters();
        // OutBitrate, OutPower, Vout, the five results: all relayed while the
        // loop ran, each one call that stopped at the guard.
        QVERIFY2(counters.calls >= 3, qPrintable(QString::number(counters.calls)));
        QCOMPARE(counters.secondHalves, 1);
        QCOMPARE(counters.passes, 1);
        QCOMPARE(counters.calls, 1 + guardAtChange.count(true));
        QVERIFY(!guardAtChange.contains(false));
        QVERIFY(!m_window->updatePropertiesRequested());
        QCOMPARE(pd->pdSet()->AdvancedPD.OutPower.value(), 24u);
    }

    // A cable edited in the dock asks for another pass only while a pass runs.
    void wireEditRequestsPass()
    {
        DiagramItem *pd = m_net->addPd({300, 300}, 1);
        DiagramItem *camera = m_net->addCamera({300, 600}, 1, 8, 1000);
        Wire *wire = m_net->connect(pd, camera, 50);
        click(scene(), middleOf(wire));
        QCOMPARE(shown(), static_cast<QtnPropertySet *>(wire->propertySet()));
        SelectionBinding::resetCounters();
        shownAs<QtnPropertySetWire>()->UintLenght.setValue(60);
        QCOMPARE(SelectionBinding::counters().secondHalves, 1);
        QCOMPARE(SelectionBinding::counters().passes, 1);
        QVERIFY(!m_window->updatePropertiesRequested());
        // 8 W from 48 V over 60 m: I = 1/6 A, R = 60 / 0.19625 x 0.0172 = 5.25860 ohm.
        QVERIFY(qAbs(camera->vin() - (48.0 - 5.258599 / 6.0)) < 1e-4);
    }

    void cameraModelFromCatalogue()
    {
        DiagramItem *pd = m_net->addPd({300, 300}, 1);
        DiagramItem *camera = m_net->addCamera({300, 600}, 1, 8, 1000);
        m_net->connect(pd, camera, 50);
        click(scene(), camera->pos());
        auto *set = shownAs<QtnPropertySetCamera>();
        QCOMPARE(set, camera->cameraSet());
        QCOMPARE(pd->modelName(), QStringLiteral("Mały"));

        // "Nie określono" keeps the figures typed by hand.
        set->Power.setValue(9);
        set->Model.setValue(valueOf(set->Model, QStringLiteral("Kam A")));
        QCOMPARE(set->Power.value(), 12u);
        QCOMPARE(set->Bitrate.value(), 2048);
        set->Power.setValue(9);
        set->Model.setValue(0);
        QCOMPARE(set->Power.value(), 9u);
        QCOMPARE(set->Bitrate.value(), 2048);

        // 30 W no longer fits the small box: its point changes model in the same edit.
        set->Model.setValue(valueOf(set->Model, QStringLiteral("Kam B")));
        QCOMPARE(set->Power.value(), 30u);
        QCOMPARE(set->Bitrate.value(), 8000);
        QCOMPARE(pd->modelName(), QStringLiteral("Duży"));

        click(scene(), pd->pos());
        QCOMPARE(pd->pdSet()->AdvancedPD.OutPower.value(), 30u);
        QCOMPARE(pd->pdSet()->AdvancedPD.OutBitrate.value(), 8000u);
    }

    void cableSplit_data()
    {
        QTest::addColumn<uint>("length");
        QTest::addColumn<bool>("preset");   // length already set before selecting
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("split");
        QTest::newRow("99 m edited") << 99u << false << false << false;
        QTest::newRow("100 m edited") << 100u << false << false << true;
        QTest::newRow("150 m on selecting") << 150u << true << false << true;
        QTest::newRow("100 m, wires hidden") << 100u << false << true << true;
    }

    void cableSplit()
    {
        QFETCH(uint, length);
        QFETCH(bool, preset);
        QFETCH(bool, hidden);
        QFETCH(bool, split);

        m_window->hideWires(hidden);
        DiagramItem *pd = m_net->addPd({300, 300}, 1);
        DiagramItem *camera = m_net->addCamera({500, 600}, 1, 8, 1000);
        Wire *wire = m_net->connect(pd, camera, preset ? length : 50);
        scene()->clearSelection();
        wire->setSelected(true);
        if (!preset)
            shownAs<QtnPropertySetWire>()->UintLenght.setValue(length);

        const QList<Wire *> wires = wiresOf(scene());
        const QList<DiagramItem *> points = pointsOf(scene());
        if (!split) {
            QCOMPARE(wires, QList<Wire *>{wire});
            QCOMPARE(shown(), static_cast<QtnPropertySet *>(wire->propertySet()));
            QCOMPARE(wire->length(), length);
            return;
        }
        QCOMPARE(wires.size(), 2);
        QVERIFY(!wires.contains(wire));
        QCOMPARE(points.size(), 2);
        DiagramItem *repeater = points.at(0) == pd ? points.at(1) : points.at(0);
        QCOMPARE(repeater->pos(), QPointF(600, 600));
        QVERIFY(!repeater->hasPower230());
        QCOMPARE(repeater->color(), QColor(scene()->colorPD()));
        QCOMPARE(shown(), static_cast<QtnPropertySet *>(scene()->projectSet()));
        QCOMPARE(pd->wires().size(), 1);
        QCOMPARE(camera->wires().size(), 1);
        QCOMPARE(repeater->wires().size(), 2);
        Wire *a = pd->wires().first();
        Wire *b = camera->wires().first();
        QCOMPARE(a->startItem(), pd);
        QCOMPARE(a->endItem(), repeater);
        QCOMPARE(b->startItem(), repeater);
        QCOMPARE(b->endItem(), camera);
        for (Wire *fresh : {a, b}) {
            QCOMPARE(fresh->length(), 50u);
            QCOMPARE(fresh->color(), QColor(scene()->colorWires()));
            QCOMPARE(fresh->isVisible(), !hidden);
        }
        // The repeater is fed over PoE by the point and feeds the camera.
        QCOMPARE(repeater->powerFeeder(), QList<DiagramItem *>{pd});
        QCOMPARE(repeater->pdSet()->AdvancedPD.VoltageAvailable.value() > 40.0, true);
        // Editing the project afterwards touches nothing that went away.
        scene()->projectSet()->Name.setValue(QStringLiteral("Po podziale"));
        QCOMPARE(m_window->projectDoc()->nameText()->toPlainText(), QStringLiteral("Po podziale"));
    }

    void projectColours()
    {
        DiagramItem *pd = pointWithTwoCameras();
        DiagramItem *other = m_net->addPd({700, 300}, 2);
        click(scene(), pd->pos());
        click(scene(), QPointF(900, 100));   // empty sheet: the project set
        auto *project = shownAs<QtnPropertySetProject>();
        QCOMPARE(project, scene()->projectSet());
        const QColor cameraColour = pd->wires().first()->endItem()->color();

        project->ColorPD.setValue(QColor(Qt::red));
        QCOMPARE(pd->color(), QColor(Qt::red));
        QCOMPARE(other->color(), QColor(Qt::red));
        project->ColorWires.setValue(QColor(0, 128, 0));
        for (Wire *wire : wiresOf(scene()))
            QCOMPARE(wire->color(), QColor(0, 128, 0));
        for (Wire *wire : pd->wires()) {
            DiagramItem *camera = wire->endItem();
            QCOMPARE(camera->color(), cameraColour);
        }
        QCOMPARE(pd->color(), QColor(Qt::red));
    }

    void displayedSet_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("setName");
        QTest::newRow("camera") << "camera" << "Camera";
        QTest::newRow("point") << "point" << "PD";
        QTest::newRow("wire") << "wire" << "Wire";
        QTest::newRow("camera and point") << "camera+point" << "Project";
        QTest::newRow("nothing") << "" << "Project";
    }

    void displayedSet()
    {
        QFETCH(QString, selection);
        QFETCH(QString, setName);

        // A project with a file: every selection change marks it modified.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("osiedle.mox"));
        m_seam.fileAnswers.enqueue(path);
        QVERIFY(m_window->saveAsProject());

        DiagramItem *pd = m_net->addPd({300, 300}, 1);
        DiagramItem *camera = m_net->addCamera({300, 600}, 1);
        Wire *wire = m_net->connect(pd, camera, 50);
        click(scene(), pd->pos());
        QCOMPARE(shown(), static_cast<QtnPropertySet *>(pd->pdSet()));

        if (selection.isEmpty())
            click(scene(), QPointF(900, 100));
        for (const QString &part : selection.split(QLatin1Char('+'), Qt::SkipEmptyParts)) {
            const QPointF at = part == QLatin1String("camera") ? camera->pos()
                               : part == QLatin1String("point") ? pd->pos() : middleOf(wire);
            click(scene(), at, part == selection.split(QLatin1Char('+')).first() ? Qt::NoModifier
                                                                                  : Qt::ControlModifier);
        }
        QVERIFY(shown());
        QCOMPARE(shown()->name(), setName);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("MOX NORVANTE - [") + path + QStringLiteral("]*"));

        // Only the shown set reaches the binding: an edit of the point's set
        // after it left the dock changes no modified flag.
        if (setName != QLatin1String("PD")) {
            m_window->projectDoc()->setModified(false);
            pd->pdSet()->Lokalizacja.setValue(QStringLiteral("Hala"));
            QVERIFY(!m_window->projectDoc()->isModified());
        }
    }
};

QTEST_MAIN(TestBinding)
#include "tst_binding.moc"
