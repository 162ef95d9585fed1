#include "tst_diagramitem.h"

#include "diagramtesthelpers.h"
#include "networkbuilder.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "property/core/qtnenuminfo.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace DiagramTest;

Q_DECLARE_METATYPE(DiagramItem::DiagramType)

namespace {

QFont itemFont(int pixelSize, bool italic)
{
    QFont font;
    font.setFamily(QStringLiteral("Calibri"));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    font.setItalic(italic);
    return font;
}

int textWidth(const QFont &font, const QString &text)
{
    return QFontMetrics(font).boundingRect(text).width();
}

// The width the rectangle must have for the descriptions alone.
int descriptionWidth(const DiagramItem &item)
{
    return std::max({textWidth(itemFont(14, false), item.location()),
                     textWidth(itemFont(12, true), item.modelName()), item.iconImage().width()});
}

} // namespace

void TestDiagramItem::newItem_data()
{
    QTest::addColumn<DiagramItem::DiagramType>("type");
    QTest::addColumn<QSize>("iconSize");
    QTest::addColumn<QString>("label");

    QTest::newRow("camera") << DiagramItem::Camera << QSize(44, 30) << "K";
    QTest::newRow("distribution point") << DiagramItem::PD << QSize(60, 30) << "PD";
}

void TestDiagramItem::newItem()
{
    QFETCH(DiagramItem::DiagramType, type);
    QFETCH(QSize, iconSize);
    QFETCH(QString, label);

    DiagramItem item(type, nullptr);
    QCOMPARE(item.type(), 65551);
    QCOMPARE(item.diagramType(), type);
    QCOMPARE(item.iconImage().size(), iconSize);
    QCOMPARE(item.numberText(), label);
    QCOMPARE(item.rotation(), 0);
    QVERIFY(item.flags() & QGraphicsItem::ItemIsMovable);
    QVERIFY(item.flags() & QGraphicsItem::ItemIsSelectable);
    QVERIFY(item.flags() & QGraphicsItem::ItemSendsGeometryChanges);
    QVERIFY(!item.acceptHoverEvents());
    // The rectangle is centred on the origin: icon height + 30 high, at least
    // as wide as the icon.
    QCOMPARE(item.boundingRect().height(), qreal(iconSize.height() + 30));
    QVERIFY(item.boundingRect().width() >= iconSize.width());
    QCOMPARE(item.boundingRect().y(), qreal(-(iconSize.height() + 30) / 2));
    QVERIFY(item.propertySet() != nullptr);
    QCOMPARE(item.cameraSet() != nullptr, type == DiagramItem::Camera);
    QCOMPARE(item.pdSet() != nullptr, type == DiagramItem::PD);
    QCOMPARE(item.number(), 0u);
    QVERIFY(!item.lowVoltage());
    QVERIFY(!item.extenderRequired());
    QVERIFY(!item.slotOverflow());
    QVERIFY(item.wires().isEmpty());
}

void TestDiagramItem::numberLabel_data()
{
    QTest::addColumn<DiagramItem::DiagramType>("type");
    QTest::addColumn<QList<uint>>("numbers");
    QTest::addColumn<QString>("label");

    QTest::newRow("camera 7") << DiagramItem::Camera << QList<uint>{7} << "K 7";
    QTest::newRow("camera back to 0") << DiagramItem::Camera << QList<uint>{7, 0} << "K";
    QTest::newRow("point 12") << DiagramItem::PD << QList<uint>{12} << "PD 12";
    QTest::newRow("point 12 then 0") << DiagramItem::PD << QList<uint>{12, 0} << "PD";
    QTest::newRow("point 100 is the largest number") << DiagramItem::PD << QList<uint>{100} << "PD 100";
    // "Number" accepts 0..100; a refused value keeps the label.
    QTest::newRow("camera 101 refused") << DiagramItem::Camera << QList<uint>{7, 101} << "K 7";
}

void TestDiagramItem::numberLabel()
{
    QFETCH(DiagramItem::DiagramType, type);
    QFETCH(QList<uint>, numbers);
    QFETCH(QString, label);

    DiagramItem item(type, nullptr);
    for (uint n : numbers)
        item.setNumber(n);
    QCOMPARE(item.numberText(), label);
}

void TestDiagramItem::computeRect_data()
{
    QTest::addColumn<DiagramItem::DiagramType>("type");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("extender");
    QTest::addColumn<int>("height");

    // Upright: icon height + 30 (45 with the extender line); turned: the icon
    // stands on its side, so its width counts, plus 15 more.
    QTest::newRow("camera 0") << DiagramItem::Camera << 0 << false << 60;
    QTest::newRow("camera 180") << DiagramItem::Camera << 180 << false << 60;
    QTest::newRow("camera 90") << DiagramItem::Camera << 90 << false << 89;
    QTest::newRow("camera 45") << DiagramItem::Camera << 45 << false << 89;
    QTest::newRow("camera 0 extender") << DiagramItem::Camera << 0 << true << 75;
    QTest::newRow("camera 270 extender") << DiagramItem::Camera << 270 << true << 104;
    QTest::newRow("point 0") << DiagramItem::PD << 0 << false << 60;
    QTest::newRow("point 90") << DiagramItem::PD << 90 << false << 105;
    QTest::newRow("point 90 extender") << DiagramItem::PD << 90 << true << 120;
    QTest::newRow("point 315") << DiagramItem::PD << 315 << false << 105;
}

void TestDiagramItem::computeRect()
{
    QFETCH(DiagramItem::DiagramType, type);
    QFETCH(int, rotation);
    QFETCH(bool, extender);
    QFETCH(int, height);

    DiagramItem item(type, nullptr);
    item.setLocation(QStringLiteral("Hala produkcyjna, brama wschodnia"));
    item.setRotation(rotation);
    item.setExtenderRequired(extender);

    const int w = descriptionWidth(item);
    QVERIFY(w > item.iconImage().width()); // the long location decides
    const QRectF r = item.computeRect();
    QCOMPARE(r.width(), qreal(w));
    QCOMPARE(r.height(), qreal(height));
    // Halves truncate towards zero, so an odd size leaves the extra unit on
    // the right or bottom.
    QCOMPARE(r.x(), qreal(-(w / 2)));
    QCOMPARE(r.y(), qreal(-(height / 2)));

    // The cached rectangle follows at the next paint.
    paintItem(&item);
    QCOMPARE(item.boundingRect(), r);
}

void TestDiagramItem::sideLabelsWidenRect()
{
    DiagramItem item(DiagramItem::PD, nullptr);
    item.setLocation(QStringLiteral("A"));
    item.setPc(true);
    item.setNvr(true);
    const int iconWidth = item.iconImage().width();
    const int w0 = descriptionWidth(item);
    QCOMPARE(item.computeRect().width(), qreal(w0));

    // The first paint draws the labels and remembers it; the rectangle grows
    // so that the icon with a label on each side stays centred.
    paintItem(&item);
    QVERIFY(item.pcShown());
    QVERIFY(item.nvrShown());
    QVERIFY(!item.lowVoltageShown());
    const QFont labelFont = itemFont(12, false);
    int expected = w0;
    for (const QString &text : {QStringLiteral("PC"), QStringLiteral("NVR")}) {
        const int t = textWidth(labelFont, text);
        if (expected - iconWidth < 2 * t)
            expected = 2 * t + iconWidth;
    }
    QVERIFY(expected > w0);
    QCOMPARE(item.computeRect().width(), qreal(expected));
    paintItem(&item);
    QCOMPARE(item.boundingRect().width(), qreal(expected));

    // Hidden descriptions hide the side labels, and the rectangle shrinks back.
    item.hideDescription();
    paintItem(&item);
    QVERIFY(!item.pcShown());
    QVERIFY(!item.nvrShown());
    QCOMPARE(item.computeRect().width(), qreal(w0));

    // A camera with too low a voltage gets the "<40[V]" label on its right.
    DiagramItem camera(DiagramItem::Camera, nullptr);
    camera.setLocation(QStringLiteral("A"));
    camera.setLowVoltage(true);
    paintItem(&camera);
    QVERIFY(camera.lowVoltageShown());
    const int t = textWidth(labelFont, QStringLiteral("<40[V]"));
    QCOMPARE(camera.computeRect().width(), qreal(std::max(descriptionWidth(camera), 2 * t + 44)));
    camera.setLowVoltage(false);
    paintItem(&camera);
    QVERIFY(!camera.lowVoltageShown());
}

void TestDiagramItem::iconRecolouring()
{
    for (DiagramItem::DiagramType type : {DiagramItem::Camera, DiagramItem::PD}) {
        DiagramItem item(type, nullptr);
        const QImage original = item.iconImage().convertToFormat(QImage::Format_ARGB32);
        const QColor blue(0, 0, 255);
        const QImage recoloured = item.recolouredImage(blue);
        QCOMPARE(recoloured.size(), original.size());
        int black = 0;
        int kept = 0;
        for (int y = 0; y < original.height(); ++y) {
            for (int x = 0; x < original.width(); ++x) {
                const QRgb p = original.pixel(x, y);
                const bool isBlack = qAlpha(p) > 0 && qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 0;
                if (isBlack) {
                    ++black;
                    QCOMPARE(recoloured.pixel(x, y), qRgb(0, 0, 255));
                } else {
                    ++kept;
                    QCOMPARE(recoloured.pixel(x, y), p);
                }
            }
        }
        // Both kinds of pixel must be present, or the loop proved nothing.
        QVERIFY(black > 0);
        QVERIFY(kept > 0);
        // The item's own image is never changed.
        QCOMPARE(item.iconImage().convertToFormat(QImage::Format_ARGB32), original);
    }
}

void TestDiagramItem::paintedIconColour_data()
{
    QTest::addColumn<bool>("lowVoltage");
    QTest::addColumn<bool>("modelMissing");
    QTest::addColumn<bool>("extender");
    QTest::addColumn<QColor>("iconColour");

    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    QTest::newRow("plain") << false << false << false << blue;
    QTest::newRow("low voltage") << true << false << false << red;
    QTest::newRow("model missing") << false << true << false << red;
    // The extender line resets the pen to the item's colour.
    QTest::newRow("low voltage and extender") << true << false << true << blue;
}

void TestDiagramItem::paintedIconColour()
{
    QFETCH(bool, lowVoltage);
    QFETCH(bool, modelMissing);
    QFETCH(bool, extender);
    QFETCH(QColor, iconColour);

    DiagramItem item(DiagramItem::Camera, nullptr);
    item.setColor(QColor(0, 0, 255));
    item.setLowVoltage(lowVoltage);
    item.setModelMissing(modelMissing);
    item.setExtenderRequired(extender);
    paintItem(&item); // settles the rectangle
    const int w = 400;
    const int h = 300;
    const QImage image = paintItem(&item, w, h);

    // The icon is horizontally centred and rests on the bottom edge.
    const QImage icon = item.iconImage().convertToFormat(QImage::Format_ARGB32);
    const int left = w / 2 - icon.width() / 2;
    const int top = h / 2 + int(item.boundingRect().height() / 2 - icon.height());
    int black = 0;
    int matching = 0;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb p = icon.pixel(x, y);
            if (qAlpha(p) == 0 || qRed(p) || qGreen(p) || qBlue(p))
                continue;
            ++black;
            if (image.pixel(left + x, top + y) == iconColour.rgb())
                ++matching;
        }
    }
    QVERIFY(black > 0);
    // Texts drawn across the icon may cover a few pixels.
    QVERIFY2(matching * 10 >= black * 9, qPrintable(QStringLiteral("%1 of %2").arg(matching).arg(black)));
}

void TestDiagramItem::rotationSteps()
{
    DiagramItem item(DiagramItem::PD, nullptr);
    QList<int> seen;
    for (int i = 0; i < 8; ++i) {
        item.rotateRight();
        seen << item.rotation();
    }
    QCOMPARE(seen, (QList<int>{45, 90, 135, 180, 225, 270, 315, 0}));
    seen.clear();
    for (int i = 0; i < 8; ++i) {
        item.rotateLeft();
        seen << item.rotation();
    }
    QCOMPARE(seen, (QList<int>{315, 270, 225, 180, 135, 90, 45, 0}));

    item.setRotation(135);
    QCOMPARE(item.rotation(), 135);
    for (int bad : {30, 360, -45, 450, 1}) {
        item.setRotation(bad);
        QCOMPARE(item.rotation(), 135);
    }

    // At 90 degrees the item stands on its side: icon width + 45 high.
    item.setRotation(90);
    paintItem(&item);
    QCOMPARE(item.boundingRect().height(), qreal(60 + 45));
}

namespace {

struct YesNoAccessor {
    const char *name;
    bool (DiagramItem::*get)() const;
    void (DiagramItem::*set)(bool);
    QtnPropertyEnum &(*property)(QtnPropertySetPD *);
};

const YesNoAccessor yesNoAccessors[] = {
    {"PC", &DiagramItem::hasPc, &DiagramItem::setPc, [](QtnPropertySetPD *s) -> QtnPropertyEnum & { return s->PC; }},
    {"NVR", &DiagramItem::hasNvr, &DiagramItem::setNvr,
     [](QtnPropertySetPD *s) -> QtnPropertyEnum & { return s->NVR; }},
    {"Power230", &DiagramItem::hasPower230, &DiagramItem::setPower230,
     [](QtnPropertySetPD *s) -> QtnPropertyEnum & { return s->Power230; }},
    {"Backup", &DiagramItem::hasBackup, &DiagramItem::setBackup,
     [](QtnPropertySetPD *s) -> QtnPropertyEnum & { return s->Backup; }},
    {"Calculate", &DiagramItem::calculateAccumulator, &DiagramItem::setCalculateAccumulator,
     [](QtnPropertySetPD *s) -> QtnPropertyEnum & { return s->Calculate; }},
};

} // namespace

void TestDiagramItem::yesNoEncoding_data()
{
    QTest::addColumn<int>("accessor");
    for (int i = 0; i < int(sizeof(yesNoAccessors) / sizeof(yesNoAccessors[0])); ++i)
        QTest::newRow(yesNoAccessors[i].name) << i;
}

void TestDiagramItem::yesNoEncoding()
{
    QFETCH(int, accessor);
    const YesNoAccessor &a = yesNoAccessors[accessor];

    DiagramItem item(DiagramItem::PD, nullptr);
    QtnPropertyEnum &property = a.property(item.pdSet());

    // "tak" is stored as 2 and "nie" as 1.
    (item.*a.set)(true);
    QCOMPARE(property.value(), 2);
    QVERIFY((item.*a.get)());
    (item.*a.set)(false);
    QCOMPARE(property.value(), 1);
    QVERIFY(!(item.*a.get)());

    // The getter compares with 2: a value written straight into the set reads the same.
    property.setValue(2);
    QVERIFY((item.*a.get)());
}

void TestDiagramItem::voutTruncation_data()
{
    QTest::addColumn<double>("vout");
    QTest::addColumn<double>("expected");

    QTest::newRow("47.9 truncates down") << 47.9 << 47.0;
    QTest::newRow("40.5138 after 100 m") << 40.5138 << 40.0;
    QTest::newRow("just below 1") << 0.999 << 0.0;
    QTest::newRow("whole 100") << 100.0 << 100.0;
    // Out of the 0..100 range: refused, the default 48 stays.
    QTest::newRow("above range") << 101.2 << 48.0;
    QTest::newRow("negative after a large drop") << -3.5 << 48.0;
}

void TestDiagramItem::voutTruncation()
{
    QFETCH(double, vout);
    QFETCH(double, expected);

    DiagramItem item(DiagramItem::PD, nullptr);
    QCOMPARE(item.vout(), 48.0);
    item.setVout(vout);
    QCOMPARE(item.vout(), expected);
}

void TestDiagramItem::otherKindAccessors()
{
    DiagramItem camera(DiagramItem::Camera, nullptr);
    camera.setPc(true);
    camera.setNvr(true);
    camera.setBackup(true);
    camera.setVout(40);
    camera.setAccumulatorCapacity(40);
    camera.setBackupHours(3);
    camera.setBoxType(QStringLiteral("Nie określono"));
    QVERIFY(!camera.hasPc());
    QVERIFY(!camera.hasNvr());
    QVERIFY(!camera.hasPower230());
    QVERIFY(!camera.hasBackup());
    QVERIFY(!camera.calculateAccumulator());
    QCOMPARE(camera.vout(), 0.0);
    QCOMPARE(camera.accumulatorCapacity(), 0u);
    QCOMPARE(camera.backupHours(), 0u);
    QCOMPARE(camera.boxTypeName(), QString());
    QCOMPARE(camera.usedSlots(), 0);
    QVERIFY(camera.pdSet() == nullptr);

    // Camera values with their defaults: 8 W, 4096 kbit/s.
    QCOMPARE(camera.power(), 8u);
    camera.setPower(12);
    QCOMPARE(camera.power(), 12u);
    camera.setPower(0); // below 1 W is refused
    QCOMPARE(camera.power(), 12u);
    QCOMPARE(camera.bitrate(), 4096);

    DiagramItem point(DiagramItem::PD, nullptr);
    // A distribution point's own draw is 1 W whatever is written.
    QCOMPARE(point.power(), 1u);
    point.setPower(50);
    QCOMPARE(point.power(), 1u);
    QVERIFY(point.cameraSet() == nullptr);
    QVERIFY(point.hasPower230());
    QVERIFY(!point.hasBackup());
}

void TestDiagramItem::setModelByDisplayText()
{
    DiagramItem camera(DiagramItem::Camera, nullptr);
    QtnPropertyEnum &model = camera.cameraSet()->Model;
    // Without a catalogue the list holds only "Nie określono".
    QCOMPARE(camera.modelName(), QStringLiteral("Nie określono"));
    camera.setModel(QStringLiteral("DS-2CD2143"));
    QCOMPARE(model.value(), 0);

    QtnEnumInfo info(QStringLiteral("CAMERATYPE"),
                     {QtnEnumValueInfo(0, QStringLiteral("custom"), QStringLiteral("Nie określono"))});
    info.setSecondValues({QtnEnumValueInfo(3, QStringLiteral("cam3"), QStringLiteral("AXIS M3045")),
                          QtnEnumValueInfo(4, QStringLiteral("cam4"), QStringLiteral("DS-2CD2143"))});
    model.setEnumInfo(&info);

    int changes = 0;
    QObject::connect(camera.propertySet(), &QtnPropertyBase::propertyDidChange, [&changes] { ++changes; });
    camera.setModel(QStringLiteral("DS-2CD2143"));
    QCOMPARE(model.value(), 4);
    QCOMPARE(camera.modelName(), QStringLiteral("DS-2CD2143"));
    QCOMPARE(changes, 1);
    // The same model again, another case, an unknown name: nothing changes.
    camera.setModel(QStringLiteral("DS-2CD2143"));
    camera.setModel(QStringLiteral("ds-2cd2143"));
    camera.setModel(QStringLiteral("Brak"));
    QCOMPARE(model.value(), 4);
    QCOMPARE(changes, 1);
    camera.setModel(QStringLiteral("Nie określono"));
    QCOMPARE(model.value(), 0);
    model.setEnumInfo(nullptr);
}

void TestDiagramItem::wireListOperations()
{
    NetworkBuilder net;
    DiagramItem *pd = net.addPd(QPointF(300, 300));
    DiagramItem *other = net.addPd(QPointF(600, 300));
    DiagramItem *camera = net.addCamera(QPointF(300, 600));
    Wire *toCamera = net.connect(pd, camera);
    Wire *toOther = net.connect(other, pd);

    QCOMPARE(pd->wires().size(), 2);
    QVERIFY(pd->wireIndex(toCamera) > 0);
    QVERIFY(pd->wireIndex(toOther) > 0);
    QCOMPARE(pd->wireIndex(toCamera) + pd->wireIndex(toOther), 3);
    QCOMPARE(camera->wireIndex(toCamera), 1);
    QCOMPARE(camera->wireIndex(toOther), 0);

    // otherPd gives the far end only when that end is a distribution point.
    QCOMPARE(camera->otherPd(toCamera), pd);
    QCOMPARE(pd->otherPd(toCamera), static_cast<DiagramItem *>(nullptr));
    QCOMPARE(pd->otherPd(toOther), other);
    QCOMPARE(other->otherPd(toOther), pd);
    QCOMPARE(camera->otherPd(toOther), static_cast<DiagramItem *>(nullptr));

    // Removing a wire that is not in the list changes nothing.
    const QList<Wire *> before = camera->wires();
    camera->removeWire(toOther);
    QCOMPARE(camera->wires(), before);

    pd->removeWire(toCamera);
    QCOMPARE(pd->wires(), QList<Wire *>{toOther});
    QCOMPARE(pd->wireIndex(toCamera), 0);

    // The same wire twice (two points joined twice by one wire object is not
    // drawn by hand, but the index rule is "the last match").
    pd->addWire(toOther);
    QCOMPARE(pd->wireIndex(toOther), 2);
    pd->removeWire(toOther);
    QCOMPARE(pd->wireIndex(toOther), 1);

    const QList<Wire *> taken = camera->takeWires();
    QCOMPARE(taken, QList<Wire *>{toCamera});
    QVERIFY(camera->wires().isEmpty());
    net.scene()->removeItem(toCamera);
    delete toCamera;
}

void TestDiagramItem::removeWiresDeletesFromBothEnds()
{
    NetworkBuilder net;
    DiagramItem *pd = net.addPd(QPointF(300, 300));
    DiagramItem *other = net.addPd(QPointF(600, 300));
    DiagramItem *c1 = net.addCamera(QPointF(200, 600));
    DiagramItem *c2 = net.addCamera(QPointF(400, 600));
    net.connect(pd, c1);
    net.connect(c2, pd);
    net.connect(pd, other);
    net.connect(other, pd);
    QCOMPARE(countItems(net.scene(), Wire::Type), 4);

    pd->removeWires();
    QVERIFY(pd->wires().isEmpty());
    QVERIFY(c1->wires().isEmpty());
    QVERIFY(c2->wires().isEmpty());
    QVERIFY(other->wires().isEmpty());
    QCOMPARE(countItems(net.scene(), Wire::Type), 0);
    QCOMPARE(countItems(net.scene(), DiagramItem::Type), 4);
}

void TestDiagramItem::usedSlotsCountsPcAndNvr()
{
    NetworkBuilder net;
    DiagramItem *pd = net.addPd(QPointF(300, 300));
    QCOMPARE(pd->usedSlots(), 0);
    net.connect(pd, net.addCamera(QPointF(200, 600)));
    net.connect(pd, net.addCamera(QPointF(400, 600)));
    QCOMPARE(pd->usedSlots(), 2);
    pd->setPc(true);
    QCOMPARE(pd->usedSlots(), 3);
    pd->setNvr(true);
    QCOMPARE(pd->usedSlots(), 4);
    pd->setPc(false);
    QCOMPARE(pd->usedSlots(), 3);
}
