#include "diagram/diagramitem.h"

#include "diagram/wire.h"
#include "diagram/paintcache.h"
#include "diagram/enumaccess.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "catalogue/catalogue.h"
#include "log/moxlog.h"

#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsSceneContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QTransform>

#include <algorithm>

DiagramItem::ModelSelector DiagramItem::s_modelSelector;
quint64 DiagramItem::s_stackingRevision = 0;
quint64 DiagramItem::s_wiringRevision = 0;
quint64 DiagramItem::s_treesRevision = 0;
quint64 DiagramItem::s_serials = 0;
DiagramItem::WiringNote DiagramItem::s_wiringLog[DiagramItem::WiringLogSize];
quint64 DiagramItem::s_lastStateRevision = 0;

namespace {

// Yes/no properties hold 1 for "nie" and 2 for "tak".
const int kYes = 2;
const int kNo = 1;

const char *const kLowVoltageText = "<40[V]";
const char *const kPcText = "PC";
const char *const kNvrText = "NVR";
const char *const kExtenderText = "Wym. Extender TCP";

bool isAllowedAngle(int angle)
{
    return angle >= 0 && angle < 360 && angle % 45 == 0;
}

// Decoding a PNG per item dominated the creation of large projects; the
// images are implicitly shared, and the recolouring works on a copy, so every
// item of a kind can hold the one decoded icon.
const QImage &cameraIcon()
{
    static const QImage icon(QStringLiteral(":/images/camera.png"));
    return icon;
}

const QImage &pdIcon()
{
    static const QImage icon(QStringLiteral(":/images/pd.png"));
    return icon;
}

} // namespace

DiagramItem::DiagramItem(DiagramType diagramType, QMenu *contextMenu, QGraphicsItem *parent)
    : QGraphicsRectItem(parent)
    , m_color(Qt::black)
    , m_diagramType(diagramType)
    , m_contextMenu(contextMenu)
    , m_wiringStamp(++s_wiringRevision)
    , m_serial(++s_serials)
{
    noteWiring();
    switch (m_diagramType) {
    case Camera:
        m_image = cameraIcon();
        m_typePrefix = QStringLiteral("K");
        m_propertySet = new QtnPropertySetCamera(nullptr);
        break;
    case PD:
        m_image = pdIcon();
        m_typePrefix = QStringLiteral("PD");
        m_propertySet = new QtnPropertySetPD(nullptr);
        break;
    }

    refreshLists();
    if (m_diagramType == PD)
        setBoxType(QStringLiteral("Wewnętrzna (IP20)"));
    setNumber(0);

    setFlag(QGraphicsItem::ItemIsMovable, true);
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setFlag(QGraphicsItem::ItemSendsGeometryChanges, true);
    setAcceptHoverEvents(false);

    // Measured with the default fonts on purpose: the first paint recomputes
    // the rectangle with the real ones and announces the change.
    m_rect = computeRect();

    m_locationFont.setFamily(QStringLiteral("Calibri"));
    m_locationFont.setPixelSize(14);
    m_locationFont.setWeight(QFont::Normal);
    m_labelFont.setFamily(QStringLiteral("Calibri"));
    m_labelFont.setPixelSize(12);
    m_labelFont.setWeight(QFont::Normal);
    m_modelFont.setFamily(QStringLiteral("Calibri"));
    m_modelFont.setPixelSize(12);
    m_modelFont.setWeight(QFont::Normal);
    m_modelFont.setItalic(true);
}

DiagramItem::~DiagramItem()
{
    // The base class takes the item out of its scene without telling
    // itemChange, which by then is no longer this class's.
    ++s_stackingRevision;
    delete m_propertySet;
}

QRectF DiagramItem::boundingRect() const
{
    return m_rect;
}

QPainterPath DiagramItem::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

// ---------------------------------------------------------------- geometry

QRectF DiagramItem::computeRect() const
{
    const int iconWidth = m_image.width();
    const int iconHeight = m_image.height();

    int w = std::max(PaintCache::boundingWidth(m_locationFont, location()),
                     PaintCache::boundingWidth(m_modelFont, modelName()));
    w = std::max(w, iconWidth);

    // A side label sits beside the icon, so the rectangle must hold the icon
    // with a label's width on both sides to stay centred on the item.
    const struct {
        bool shown;
        const char *text;
    } labels[] = {{m_lowVoltageShown, kLowVoltageText}, {m_pcShown, kPcText}, {m_nvrShown, kNvrText}};
    for (const auto &label : labels) {
        if (!label.shown)
            continue;
        const int t = PaintCache::boundingWidth(m_labelFont, QString::fromUtf8(label.text));
        if (w - iconWidth < 2 * t)
            w = 2 * t + iconWidth;
    }

    const int margin = m_extenderRequired ? 45 : 30;
    int h;
    if (m_rotation == 0 || m_rotation == 180)
        h = iconHeight + margin;
    else
        h = iconWidth + margin + 15;

    return QRectF(-(w / 2), -(h / 2), w, h);
}

QString DiagramItem::numberText() const
{
    const uint n = number();
    if (n == 0)
        return m_typePrefix;
    return m_typePrefix + QLatin1Char(' ') + QString::number(n);
}

QImage DiagramItem::recolouredImage(const QColor &color) const
{
    return recoloured(m_image, color);
}

QImage DiagramItem::recoloured(const QImage &icon, const QColor &color)
{
    QImage image = icon.convertToFormat(QImage::Format_ARGB32);
    const QRgb replacement = color.rgb(); // opaque
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            // Fully transparent pixels are background, not black ink.
            if (qAlpha(p) != 0 && qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 0)
                line[x] = replacement;
        }
    }
    return image;
}

void DiagramItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option)
    Q_UNUSED(widget)

    const QRectF r = computeRect();
    if (!qFuzzyCompare(r.x(), m_rect.x()) || !qFuzzyCompare(r.y(), m_rect.y())
        || !qFuzzyCompare(r.width(), m_rect.width()) || !qFuzzyCompare(r.height(), m_rect.height())) {
        prepareGeometryChange();
        m_rect = r;
        // A wire's route rests on the heights of its two items: a rectangle
        // that grew here (a turn, a label) moves the wires' buses too, and
        // both where they ran and where they now run need repainting.
        for (Wire *wire : qAsConst(m_wires))
            wire->updatePosition();
    }

    QPen pen;
    if (m_lowVoltage || m_modelMissing)
        pen = QPen(Qt::red, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    else
        pen = QPen(m_color, 2);
    painter->setPen(pen);

    const QString text = numberText();

    QRectF line(m_rect.x(), m_rect.y(), m_rect.width(), 20);
    painter->setFont(m_locationFont);
    if (!m_descriptionsHidden)
        PaintCache::drawCentred(painter, line, location());

    painter->setFont(m_modelFont);
    line.translate(0, 15);
    if (!m_descriptionsHidden)
        PaintCache::drawCentred(painter, line, modelName());

    if (m_extenderRequired) {
        pen.setColor(Qt::red);
        pen.setWidth(2);
        painter->setPen(pen);
        line.translate(0, 15);
        PaintCache::drawCentred(painter, line, QString::fromUtf8(kExtenderText));
        pen.setColor(m_color);
        painter->setPen(pen);
    }

    const QImage rotated = PaintCache::icon(m_image, painter->pen().color(), m_rotation, &DiagramItem::recoloured);
    const int rw = rotated.width();
    const int rh = rotated.height();
    painter->drawImage(QPointF(-(rw / 2), int(m_rect.height() / 2 - rh)), rotated);

    const int iconWidth = m_image.width();
    const int iconHeight = m_image.height();
    const bool upright = (m_rotation == 0 || m_rotation == 180);
    QRectF numberRect = m_rect;
    if (upright)
        numberRect.moveTo(m_rect.x() - 5, -(iconHeight / 2));
    else
        numberRect.moveTo(m_rect.x(), -iconWidth - 7);
    PaintCache::drawCentred(painter, numberRect, text);

    drawSideLabel(painter, QString::fromUtf8(kLowVoltageText), true, m_lowVoltage, m_lowVoltageShown);
    if (m_diagramType == PD) {
        drawSideLabel(painter, QString::fromUtf8(kNvrText), true, hasNvr(), m_nvrShown);
        drawSideLabel(painter, QString::fromUtf8(kPcText), false, hasPc(), m_pcShown);
    }

    if (m_poeCheckMark) {
        // Orange, a frame and not a text: the red "<40[V]" stays the mark
        // of the budget, this one belongs to the PoE check.
        painter->setPen(QPen(QColor(255, 140, 0), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(m_rect.adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
    }

    if (isSelected()) {
        painter->setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter->setBrush(Qt::transparent);
        painter->drawRect(m_rect);
    }
}

void DiagramItem::drawSideLabel(QPainter *painter, const QString &text, bool rightSide, bool condition,
                                bool &shownFlag)
{
    // Measured in the font of the moment, before the label font is set.
    // Fonts sized in pixels measure alike on every device.
    const int t = painter->font().pixelSize() > 0 ? PaintCache::advance(painter->font(), text)
                                                  : painter->fontMetrics().horizontalAdvance(text);
    const int iconWidth = m_image.width();
    const int iw = iconWidth / 2;
    const int a = (m_rotation == 0 || m_rotation == 180) ? m_image.height() / 2 : iconWidth / 2;

    QRectF labelRect = m_rect;
    labelRect.moveTop(-a);
    labelRect.translate(rightSide ? (t / 2 + iw) : -(t / 2) - iw, 0);

    painter->setFont(m_labelFont);
    if (condition && !m_descriptionsHidden) {
        PaintCache::drawCentred(painter, labelRect, text);
        shownFlag = true;
    } else {
        shownFlag = false;
    }
}

// ------------------------------------------------------------- interaction

void DiagramItem::contextMenuEvent(QGraphicsSceneContextMenuEvent *event)
{
    if (scene())
        scene()->clearSelection();
    setSelected(true);
    if (m_contextMenu)
        m_contextMenu->exec(event->screenPos());
}

QVariant DiagramItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemSceneHasChanged || change == ItemZValueHasChanged || change == ItemParentHasChanged)
        ++s_stackingRevision;

    // Sorting before the move still sees the old position, so the lists are
    // sorted once more when the item has arrived; the neighbours re-sort as
    // well because the direction towards this item changed for them too.
    if (change == QGraphicsItem::ItemPositionChange || change == QGraphicsItem::ItemPositionHasChanged) {
        updateWires();
        const QList<Wire *> wires = m_wires;
        for (Wire *wire : wires) {
            DiagramItem *other = wire->otherEnd(this);
            if (other && other != this)
                other->updateWires();
        }
    }
    return value;
}

// --------------------------------------------------------------- wire list

void DiagramItem::rerouteWires(Wire *also)
{
    for (Wire *wire : qAsConst(m_wires))
        wire->aboutToReroute();
    if (also && !m_wires.contains(also))
        also->aboutToReroute();
}

void DiagramItem::addWire(Wire *wire)
{
    rerouteWires(wire);
    m_wires.append(wire);
    wiresChanged();
    updateWires();
}

void DiagramItem::removeWire(Wire *wire)
{
    qCDebug(MoxLog::diagram) << "removeWire" << m_wires.size();
    rerouteWires(wire);
    if (m_wires.removeOne(wire))
        wiresChanged();
    updateWires();
}

void DiagramItem::removeWires()
{
    const QList<Wire *> wires = m_wires;
    for (Wire *wire : wires) {
        if (wire->scene())
            wire->scene()->removeItem(wire);
        if (wire->startItem())
            wire->startItem()->removeWire(wire);
        if (wire->endItem())
            wire->endItem()->removeWire(wire);
        delete wire;
    }
}

void DiagramItem::updateWires()
{
    // A move mostly leaves the order as it was: the list is sorted (and the
    // order counted as changed) only when it is out of order.
    if (!std::is_sorted(m_wires.cbegin(), m_wires.cend(), Wire::angleLessThan)) {
        rerouteWires();
        std::stable_sort(m_wires.begin(), m_wires.end(), Wire::angleLessThan);
        wiresChanged();
    }
    for (Wire *wire : qAsConst(m_wires)) {
        wire->updatePosition();
        wire->update(wire->boundingRect());
    }
}

int DiagramItem::wireIndex(Wire *wire) const
{
    return m_wires.lastIndexOf(wire) + 1;
}

DiagramItem *DiagramItem::otherPd(Wire *wire) const
{
    if (!wire)
        return nullptr;
    if (wire->startItem() == this) {
        DiagramItem *end = wire->endItem();
        return (end && end->diagramType() == PD) ? end : nullptr;
    }
    if (wire->endItem() == this) {
        DiagramItem *start = wire->startItem();
        return (start && start->diagramType() == PD) ? start : nullptr;
    }
    return nullptr;
}

QList<Wire *> DiagramItem::takeWires()
{
    rerouteWires();
    QList<Wire *> taken;
    taken.swap(m_wires);
    wiresChanged();
    return taken;
}

// ------------------------------------------------------- kind, look, rotation

void DiagramItem::setContextMenu(QMenu *contextMenu)
{
    m_contextMenu = contextMenu;
}

QPixmap DiagramItem::image() const
{
    return QPixmap::fromImage(m_image);
}

void DiagramItem::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void DiagramItem::updateIfShownChanged()
{
    const int marks = (m_lowVoltage ? 1 : 0) | (m_modelMissing ? 2 : 0) | (m_extenderRequired ? 4 : 0)
                      | (hasNvr() ? 8 : 0) | (hasPc() ? 16 : 0);
    const quint64 revision = m_propertySet->revision();
    bool changed = marks != m_shown.marks;
    m_shown.marks = marks;
    if (revision != m_shown.revision) {
        m_shown.revision = revision;
        const uint shownNumber = number();
        QString shownLocation = location();
        QString shownModel = modelName();
        changed = changed || shownNumber != m_shown.number || shownLocation != m_shown.location
                  || shownModel != m_shown.model;
        m_shown.number = shownNumber;
        m_shown.location = std::move(shownLocation);
        m_shown.model = std::move(shownModel);
    }
    if (changed)
        update();
}

void DiagramItem::setRotation(int angle)
{
    if (isAllowedAngle(angle))
        m_rotation = angle;
}

void DiagramItem::rotateRight()
{
    m_rotation = isAllowedAngle(m_rotation) ? (m_rotation + 45) % 360 : 0;
    updateWires();
    update(boundingRect());
}

void DiagramItem::rotateLeft()
{
    m_rotation = isAllowedAngle(m_rotation) ? (m_rotation + 315) % 360 : 0;
    updateWires();
    update(boundingRect());
}

void DiagramItem::hideDescription()
{
    m_descriptionsHidden = true;
    update();
}

void DiagramItem::showDescription()
{
    m_descriptionsHidden = false;
    update();
}

void DiagramItem::setExtenderRequired(bool required)
{
    setState(m_extenderRequired, required);
}

void DiagramItem::setToolTip(const QString &toolTip)
{
    if (toolTip == QGraphicsRectItem::toolTip())
        return;
    QGraphicsRectItem::setToolTip(toolTip);
    m_stateRevision = ++s_lastStateRevision;
}

// --------------------------------------------------------------- network

int DiagramItem::usedSlots() const
{
    if (m_diagramType != PD)
        return 0;
    return m_wires.size() + (hasPc() ? 1 : 0) + (hasNvr() ? 1 : 0);
}

void DiagramItem::refreshLists()
{
    switch (m_diagramType) {
    case Camera: {
        QString tip = toolTip();
        Catalogue::refreshCameraModels(cameraSet()->Model, &m_modelMissing, &tip);
        setToolTip(tip);
        break;
    }
    case PD:
        Catalogue::refreshBoxTypes(pdSet()->BoxType);
        selectModel();
        break;
    }
}

void DiagramItem::selectModel()
{
    if (m_diagramType == PD && s_modelSelector)
        s_modelSelector(this);
}

void DiagramItem::setModelSelector(ModelSelector selector)
{
    s_modelSelector = std::move(selector);
}

bool DiagramItem::hasModelSelector()
{
    return bool(s_modelSelector);
}

// ------------------------------------------------------ property accessors

QtnPropertySet *DiagramItem::propertySet() const
{
    return m_propertySet;
}

QtnPropertySetCamera *DiagramItem::cameraSet() const
{
    return m_diagramType == Camera ? static_cast<QtnPropertySetCamera *>(m_propertySet) : nullptr;
}

QtnPropertySetPD *DiagramItem::pdSet() const
{
    return m_diagramType == PD ? static_cast<QtnPropertySetPD *>(m_propertySet) : nullptr;
}

uint DiagramItem::number() const
{
    if (auto *set = cameraSet())
        return set->Number.value();
    if (auto *set = pdSet())
        return set->Number.value();
    return 0;
}

void DiagramItem::setNumber(uint number)
{
    if (auto *set = cameraSet())
        set->Number.setValue(number);
    else if (auto *set = pdSet())
        set->Number.setValue(number);
}

QString DiagramItem::location() const
{
    if (auto *set = cameraSet())
        return set->Lokalizacja.value();
    if (auto *set = pdSet())
        return set->Lokalizacja.value();
    return QString();
}

void DiagramItem::setLocation(const QString &location)
{
    if (auto *set = cameraSet())
        set->Lokalizacja.setValue(location);
    else if (auto *set = pdSet())
        set->Lokalizacja.setValue(location);
}

QString DiagramItem::modelName() const
{
    if (auto *set = cameraSet())
        return enumDisplayText(set->Model);
    if (auto *set = pdSet())
        return enumDisplayText(set->Model);
    return QString();
}

void DiagramItem::setModel(const QString &name)
{
    QtnPropertyEnum *model = nullptr;
    if (auto *set = cameraSet())
        model = &set->Model;
    else if (auto *set = pdSet())
        model = &set->Model;
    if (!model)
        return;
    int value = 0;
    if (!enumValueByDisplayText(*model, name, value) || value == model->value())
        return;
    model->setValue(value);
    // The model line may be wider than before.
    prepareGeometryChange();
    qCDebug(MoxLog::diagram) << "new model";
}

uint DiagramItem::power() const
{
    if (auto *set = cameraSet())
        return set->Power.value();
    // A distribution point draws its own 1 W.
    if (m_diagramType == PD)
        return 1;
    return 0;
}

void DiagramItem::setPower(uint power)
{
    if (auto *set = cameraSet())
        set->Power.setValue(power);
}

int DiagramItem::bitrate() const
{
    if (auto *set = cameraSet())
        return set->Bitrate.value();
    if (auto *set = pdSet())
        return set->Bitrate.value();
    return 0;
}

void DiagramItem::setBitrate(int bitrate)
{
    if (auto *set = cameraSet())
        set->Bitrate.setValue(bitrate);
    else if (auto *set = pdSet())
        set->Bitrate.setValue(bitrate);
}

double DiagramItem::vin() const
{
    if (auto *set = cameraSet())
        return set->Vin.value();
    if (auto *set = pdSet())
        return set->Vin.value();
    return 0.0;
}

void DiagramItem::setVin(double vin)
{
    if (auto *set = cameraSet())
        set->Vin.setValue(vin);
    else if (auto *set = pdSet())
        set->Vin.setValue(vin);
}

double DiagramItem::vout() const
{
    if (auto *set = pdSet())
        return set->Vout.value();
    return 0.0;
}

void DiagramItem::setVout(double vout)
{
    auto *set = pdSet();
    if (!set)
        return;
    // "Vout" holds whole volts. A negative voltage after a large drop (or
    // anything beyond the unsigned range) has no whole-volt form and is
    // refused like any other value outside the property's range.
    if (!(vout >= 0.0) || vout >= 4294967296.0)
        return;
    set->Vout.setValue(static_cast<uint>(vout));
}

namespace {

bool isYes(const QtnPropertyEnum &property)
{
    return property.value() == kYes;
}

void setYes(QtnPropertyEnum &property, bool on)
{
    property.setValue(on ? kYes : kNo);
}

} // namespace

bool DiagramItem::hasPc() const
{
    auto *set = pdSet();
    return set && isYes(set->PC);
}

void DiagramItem::setPc(bool on)
{
    if (auto *set = pdSet())
        setYes(set->PC, on);
}

bool DiagramItem::hasNvr() const
{
    auto *set = pdSet();
    return set && isYes(set->NVR);
}

void DiagramItem::setNvr(bool on)
{
    if (auto *set = pdSet())
        setYes(set->NVR, on);
}

bool DiagramItem::hasPower230() const
{
    auto *set = pdSet();
    return set && isYes(set->Power230);
}

void DiagramItem::setPower230(bool on)
{
    if (auto *set = pdSet())
        setYes(set->Power230, on);
}

bool DiagramItem::hasBackup() const
{
    auto *set = pdSet();
    return set && isYes(set->Backup);
}

void DiagramItem::setBackup(bool on)
{
    if (auto *set = pdSet())
        setYes(set->Backup, on);
}

bool DiagramItem::calculateAccumulator() const
{
    auto *set = pdSet();
    return set && isYes(set->Calculate);
}

void DiagramItem::setCalculateAccumulator(bool on)
{
    if (auto *set = pdSet())
        setYes(set->Calculate, on);
}

uint DiagramItem::accumulatorCapacity() const
{
    auto *set = pdSet();
    return set ? set->BatterySet.value() : 0;
}

void DiagramItem::setAccumulatorCapacity(uint capacity)
{
    if (auto *set = pdSet())
        set->BatterySet.setValue(capacity);
}

uint DiagramItem::backupHours() const
{
    auto *set = pdSet();
    return set ? set->BatteryCount.value() : 0;
}

void DiagramItem::setBackupHours(uint hours)
{
    if (auto *set = pdSet())
        set->BatteryCount.setValue(hours);
}

QString DiagramItem::boxTypeName() const
{
    auto *set = pdSet();
    return set ? enumDisplayText(set->BoxType) : QString();
}

void DiagramItem::setBoxType(const QString &name)
{
    auto *set = pdSet();
    if (!set)
        return;
    int value = 0;
    if (enumValueByDisplayText(set->BoxType, name, value))
        set->BoxType.setValue(value);
}
