// The calculation as it runs (catalogue snapshot, model selections and
// voltage passes skipped when nothing they depend on changed, lists kept)
// against the calculation as its definition reads (every statement run,
// every list rebuilt, every step taken), over
// generated networks and a series of edits: every property of every item,
// every flag and tool tip, to the last bit of every double.

#include "calc/calcloop.h"
#include "calc/networkcalc.h"
#include "catalogue/catalogue.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectreader.h"
#include "property/core/qtnenuminfo.h"
#include "property/core/qtnpropertyenum.h"
#include "property/core/qtnpropertyset.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetwire.h"
#include "networkbuilder.h"
#include "testcatalogue.h"
#include "testhelpers.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>

namespace {

// Every value of a set, doubles by their bits, and the entries of every
// list, so that a list rebuilt differently shows.
void describe(const QtnPropertyBase *property, QStringList &out)
{
    if (auto *set = qobject_cast<const QtnPropertySet *>(property)) {
        for (const QtnPropertyBase *child : set->childProperties())
            describe(child, out);
        return;
    }
    const QVariant value = property->property("value");
    QString text;
    if (value.userType() == QMetaType::Double) {
        const double d = value.toDouble();
        quint64 bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        text = QString::number(bits, 16);
    } else {
        text = value.toString();
    }
    if (auto *e = qobject_cast<const QtnPropertyEnum *>(property)) {
        if (const QtnEnumInfo *info = e->enumInfo()) {
            info->forEachEnumValue([&](const QtnEnumValueInfo &v) {
                text += QStringLiteral(" %1:%2").arg(v.value()).arg(v.displayName());
                return true;
            });
        }
    }
    out << property->name() + QLatin1Char('=') + text;
}

QStringList state(QGraphicsScene *scene)
{
    QStringList out;
    for (QGraphicsItem *graphicsItem : scene->items(Qt::AscendingOrder)) {
        if (graphicsItem->type() == DiagramItem::Type) {
            auto *item = static_cast<DiagramItem *>(graphicsItem);
            out << QStringLiteral("item %1 low %2 long %3 missing %4 overflow %5 last [%6] tip [%7] wires %8")
                            .arg(item->numberText())
                            .arg(item->lowVoltage())
                            .arg(item->extenderRequired())
                            .arg(item->modelMissing())
                            .arg(item->slotOverflow())
                            .arg(item->lastModelText(), item->toolTip())
                            .arg(item->wires().size());
            describe(item->propertySet(), out);
        } else if (graphicsItem->type() == Wire::Type) {
            describe(static_cast<Wire *>(graphicsItem)->propertySet(), out);
        }
    }
    return out;
}

// One network, built and edited the same way under either answer source.
class Network
{
public:
    Network(Catalogue::AnswerSource source, quint32 seed)
        : m_source(source)
    {
        use();
        QRandomGenerator random(seed);
        const QStringList boxes = {QStringLiteral("Nie określono"), QStringLiteral("Wewnętrzna (IP20)"),
                                   QStringLiteral("Zewnętrzna (IP65)"), QStringLiteral("Szafa RACK 19 cali")};
        const QStringList models = {QStringLiteral("Hikvision DS-2CD2143G2-I"), QStringLiteral("Brak w katalogu"),
                                    QStringLiteral("Kamera 3")};
        DiagramItem *previous = nullptr;
        const int points = 6 + random.bounded(20);
        for (int p = 0; p < points; ++p) {
            const bool mains = p == 0 || random.bounded(4) == 0;
            DiagramItem *pd = m_net.addPd(QPointF(random.bounded(1100), random.bounded(800)), uint(p % 100), mains);
            pd->setPc(random.bounded(5) == 0);
            pd->setNvr(random.bounded(5) == 0);
            pd->setBackup(random.bounded(3) == 0);
            pd->setCalculateAccumulator(random.bounded(2) == 0);
            pd->setBackupHours(uint(random.bounded(12)));
            pd->setBoxType(boxes.at(random.bounded(boxes.size())));
            if (previous && random.bounded(5) != 0)
                m_net.connect(random.bounded(2) ? previous : m_points.at(random.bounded(m_points.size())), pd,
                              uint(5 + random.bounded(110)));
            const int cameras = random.bounded(14);
            for (int c = 0; c < cameras; ++c) {
                DiagramItem *camera = m_net.addCamera(QPointF(random.bounded(1100), random.bounded(800)),
                                                      uint(c), uint(1 + random.bounded(30)),
                                                      1 + random.bounded(16384));
                camera->setModel(models.at(random.bounded(models.size())));
                m_net.connect(pd, camera, uint(1 + random.bounded(120)));
                m_cameras << camera;
            }
            m_points << pd;
            previous = pd;
        }
    }

    QGraphicsScene *scene() const { return m_doc.scene(); }

    // The reference answers by statement and takes every step; the other
    // runs as the editor does.
    void use() const
    {
        Catalogue::setAnswerSource(m_source);
        NetworkCalc::setEveryStepTaken(m_source == Catalogue::Statements);
    }

    void calculate()
    {
        use();
        CalcLoop(scene()).run();
    }

    // The edit number step, the same for both networks of a seed.
    void edit(int step, quint32 seed)
    {
        use();
        QRandomGenerator random(seed * 1000 + quint32(step));
        DiagramItem *pd = m_points.at(random.bounded(m_points.size()));
        DiagramItem *camera = m_cameras.isEmpty() ? nullptr : m_cameras.at(random.bounded(m_cameras.size()));
        switch (random.bounded(10)) {
        case 0:
            if (camera)
                camera->setPower(uint(1 + random.bounded(40)));
            break;
        case 1:
            if (camera)
                camera->setBitrate(1 + random.bounded(40000));
            break;
        case 2:
            pd->setPc(!pd->hasPc());
            break;
        case 3:
            pd->setNvr(!pd->hasNvr());
            break;
        case 4:
            pd->setBackup(!pd->hasBackup());
            break;
        case 5:
            pd->setPower230(!pd->hasPower230());
            break;
        case 6:
            // A model chosen by hand, kept while it fits.
            pd->pdSet()->Model.setValue(random.bounded(4));
            break;
        case 7:
            if (!pd->wires().isEmpty())
                pd->wires().at(random.bounded(pd->wires().size()))->setLength(uint(1 + random.bounded(150)));
            break;
        case 8:
            // A camera taken off its point: a slot less.
            if (camera && !camera->wires().isEmpty())
                camera->removeWires();
            break;
        default:
            // A cable of a point taken out, perhaps the one that fed it or
            // linked it to its recorder: the trees change their shape.
            if (!pd->wires().isEmpty()) {
                Wire *wire = pd->wires().at(random.bounded(pd->wires().size()));
                scene()->removeItem(wire);
                wire->startItem()->removeWire(wire);
                wire->endItem()->removeWire(wire);
                delete wire;
            }
            break;
        }
        calculate();
    }

    // Written and read back into a fresh sheet, lists refreshed as after
    // opening a file, then calculated twice as opening does.
    QStringList reloaded()
    {
        use();
        QByteArray bytes = tst::projectBytes(&m_doc);
        ProjectDoc loaded;
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        ProjectReader(&loaded).read(&in);
        for (DiagramItem *item : tst::itemsOf<DiagramItem>(loaded.scene()))
            item->refreshLists();
        CalcLoop(loaded.scene()).run();
        CalcLoop(loaded.scene()).run();
        return state(loaded.scene());
    }

private:
    Catalogue::AnswerSource m_source;
    ProjectDoc m_doc;
    NetworkBuilder m_net{m_doc.scene()};
    QList<DiagramItem *> m_points;
    QList<DiagramItem *> m_cameras;
};

} // namespace

class TestCalcReference : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup()
    {
        Catalogue::setAnswerSource(Catalogue::Snapshot);
        NetworkCalc::setEveryStepTaken(false);
    }
    void sameResults_data();
    void sameResults();
};

void TestCalcReference::initTestCase()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

void TestCalcReference::sameResults_data()
{
    QTest::addColumn<bool>("bundled");
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 4u}) {
        QTest::addRow("bundled catalogue, network %u", seed) << true << seed;
        QTest::addRow("small catalogue, network %u", seed) << false << seed;
    }
}

void TestCalcReference::sameResults()
{
    QFETCH(bool, bundled);
    QFETCH(quint32, seed);
    TestCatalogue catalogue;
    if (bundled) {
        QVERIFY(catalogue.createBundled());
    } else {
        // Few boxes, so that many points fit none and get a diagnosis.
        QVERIFY(catalogue.create({{"Kamera 3", 9, 3072}},
                                 {{"Mały", "Wewnętrzna (IP20)", 0, 5, 1, 60, 20000},
                                  {"Średni", "Wewnętrzna (IP20)", 0, 9, 1, 100, 60000},
                                  {"Ekstender", "Wewnętrzna (IP20)", 0, 4, 0, 30, 20000},
                                  {"Ekstender", "Zewnętrzna (IP65)", 1, 4, 0, 30, 30000},
                                  {"Zasilany", "Zewnętrzna (IP65)", 1, 12, 1, 150, 100000}},
                                 {"UTP kat.5E"}));
    }

    Network reference(Catalogue::Statements, seed);
    Network fast(Catalogue::Snapshot, seed);
    reference.calculate();
    fast.calculate();
    QCOMPARE(state(fast.scene()), state(reference.scene()));

    for (int step = 0; step < 40; ++step) {
        if (step == 20) {
            // The catalogue changes under the editor: a new box, through the
            // default connection.
            QSqlQuery query(catalogue.database());
            QVERIFY(query.exec("insert into pd (name, boxtype, power_backup, camera_slots, power230, "
                               "camera_total_power_max, bitrate) values "
                               "('Nowy', 'Wewnętrzna (IP20)', 0, 24, 1, 400, 200000)"));
        }
        reference.edit(step, seed);
        fast.edit(step, seed);
        const QStringList expected = state(reference.scene());
        const QStringList actual = state(fast.scene());
        if (actual != expected) {
            for (int i = 0; i < qMin(actual.size(), expected.size()); ++i)
                QVERIFY2(actual.at(i) == expected.at(i),
                         qPrintable(QStringLiteral("step %1: %2 against %3").arg(step).arg(actual.at(i), expected.at(i))));
            QCOMPARE(actual.size(), expected.size());
        }
    }
    QCOMPARE(fast.reloaded(), reference.reloaded());
}

QTEST_MAIN(TestCalcReference)
#include "tst_calcreference.moc"
