#include "check/poecheck.h"

#include "calc/calcpass.h"
#include "check/poecatalogue.h"
#include "check/poenetwork.h"
#include "check/poetext.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"

#include <QGraphicsScene>
#include <QHash>
#include <QSet>

#include <cmath>

namespace {

using Severity = PoeFinding::Severity;
using Element = PoeNetwork::Element;

DiagramItem *otherEnd(const Wire *wire, const DiagramItem *item)
{
    return wire->startItem() == item ? wire->endItem() : wire->startItem();
}

bool isCamera(const DiagramItem *item)
{
    return item && item->diagramType() == DiagramItem::Camera;
}

class Checker
{
public:
    explicit Checker(const QGraphicsScene *scene)
        : m_scene(scene)
        , m_network(scene, PoeCheck::SourceVoltage)
    {
    }
    PoeCheckResult run();

private:
    PoeCheckResult::Device *newDevice();
    void noteSupplyCable(Wire *wire, int cableType);
    void fill(PoeCheckResult::Device &device, DiagramItem *item, Wire *wire, double length, double volts,
              double watts, int poeClass, bool supplied, int cableType, const PoeCable &cable);
    void checkCamera(const PoeNetwork::Camera &camera);
    void checkDevice(const PoeCheckResult::Device &device);
    void checkPoint(const PoeNetwork::Point &node, const QString &modelName);
    void checkRecorder(DiagramItem *point);
    void checkCables();
    void readModels();

    void add(Severity severity, QGraphicsItem *element, const QString &elementName, const QString &text);
    void add(Severity severity, DiagramItem *item, const QString &text);

    const QGraphicsScene *m_scene;
    PoeNetwork m_network;
    PoeCheckResult m_result;
    // Supply cables per cable type, and the first of them, for the remark
    // on a type whose gauge had to be assumed.
    QVector<int> m_supplyCables;
    QVector<Wire *> m_firstSupplyCable;
    QHash<QString, PoeCatalogue::PointModel> m_models; // the chosen models the catalogue lists
    QStringList m_modelNames;                          // per point; null when none is chosen
    PoeCheckResult::Device *m_nextDevice = nullptr;
};

void Checker::noteSupplyCable(Wire *wire, int cableType)
{
    if (cableType < 0)
        return;
    if (m_supplyCables.size() <= cableType) {
        m_supplyCables.resize(cableType + 1);
        m_firstSupplyCable.resize(cableType + 1);
    }
    if (m_supplyCables[cableType]++ == 0)
        m_firstSupplyCable[cableType] = wire;
}

void Checker::fill(PoeCheckResult::Device &d, DiagramItem *item, Wire *wire, double length, double volts,
                   double watts, int poeClass, bool supplied, int cableType, const PoeCable &cable)
{
    d.item = item;
    d.wire = wire;
    d.supplied = supplied;
    d.sourceVoltage = supplied ? volts : 0.0;
    d.length = length;
    if (cableType >= 0) {
        const PoeNetwork::CableType &type = m_network.cableTypes().at(cableType);
        d.awg = type.awg;
        d.awgAssumed = type.assumed;
    }
    d.devicePower = watts;
    d.poeClass = poeClass;
    d.standard = PoeStandard::typeOf(poeClass);
    if (supplied)
        d.cable = cable;
    d.cable.pairs = PoeStandard::pairsFor(poeClass);
}

PoeCheckResult::Device *Checker::newDevice()
{
    // The records were made all at once; they are handed out in turn.
    return m_nextDevice++;
}

void Checker::add(Severity severity, QGraphicsItem *element, const QString &elementName, const QString &text)
{
    PoeFinding finding;
    finding.severity = severity;
    finding.element = element;
    finding.elementName = elementName;
    finding.text = elementName.isEmpty() ? text : elementName + QStringLiteral(": ") + text;
    m_result.findings << finding;
}

void Checker::add(Severity severity, DiagramItem *item, const QString &text)
{
    add(severity, item, PoeText::itemName(item), text);
}

void Checker::checkDevice(const PoeCheckResult::Device &d)
{
    // Most devices have nothing to say: their name is worked out only for
    // the first remark.
    QString name;
    const auto error = [&](const QString &text) {
        if (name.isNull())
            name = PoeText::itemName(d.item);
        add(Severity::Error, d.item, name, text);
    };
    const PoeCable &c = d.cable;
    if (d.poeClass == PoeStandard::NoClass) {
        error(QStringLiteral("moc %1 W ponad %2 W klasy 8 – żaden standard PoE jej nie dostarczy")
                      .arg(PoeText::limit(d.devicePower),
                           PoeText::limit(PoeStandard::devicePower(PoeStandard::HighestClass))));
    }
    if (c.collapsed) {
        error(QStringLiteral("przewód nie dostarczy mocy %1 W – 4RP = %2 ponad Vs² = %3")
                      .arg(PoeText::limit(d.devicePower), PoeText::number(4.0 * c.resistance * d.devicePower, 1),
                           PoeText::number(d.sourceVoltage * d.sourceVoltage, 1)));
        return;
    }
    if (d.standard == PoeStandard::NoType)
        return;
    const auto standard = [&d] { return PoeStandard::name(d.standard); };
    const double minimum = PoeStandard::minimumVoltage(d.standard);
    if (c.voltage < minimum) {
        error(QStringLiteral("napięcie %1 V poniżej minimum %2 V dla %3")
                      .arg(PoeText::number(c.voltage, 2), PoeText::limit(minimum), standard()));
    }
    const double limit = PoeStandard::currentPerPairLimit(d.standard);
    if (c.currentPerPair > limit) {
        error(QStringLiteral("prąd %1 A na parę powyżej dopuszczalnych %2 A dla %3")
                      .arg(PoeText::number(c.currentPerPair, 2), PoeText::limit(limit), standard()));
    }
    const double port = PoeStandard::portPower(d.poeClass);
    if (c.portPower > port) {
        error(QStringLiteral("port musi dać %1 W, więcej niż %2 W klasy %3 (%4)")
                      .arg(PoeText::number(c.portPower, 2), PoeText::limit(port), QString::number(d.poeClass),
                           standard()));
    }
}

void Checker::checkPoint(const PoeNetwork::Point &node, const QString &modelName)
{
    DiagramItem *item = node.item;
    PoeCheckResult::Point p;
    p.item = item;
    p.model = modelName.isNull() ? item->modelName() : modelName;
    p.portPower = node.ports;
    p.bitrate = item->totalBitrate();
    p.usedSlots = item->usedSlots();

    const bool chosen = !modelName.isNull();
    const auto model = chosen ? m_models.constFind(p.model) : m_models.constEnd();
    p.modelKnown = model != m_models.constEnd();
    if (p.modelKnown) {
        p.powerBudget = model->powerBudget;
        p.bitrateLimit = model->bitrate;
        p.slotCount = model->slotCount;
    }
    m_result.points << p;

    if (!chosen) {
        add(Severity::Info, item,
            QStringLiteral("brak modelu z katalogu – nie sprawdzono budżetu PoE, przepływu danych ani slotów"));
        return;
    }
    if (!p.modelKnown) {
        add(Severity::Info, item,
            QStringLiteral("model „%1” nie występuje w katalogu – nie sprawdzono budżetu PoE, przepływu danych "
                           "ani slotów")
                .arg(p.model));
        return;
    }
    if (p.portPower > p.powerBudget) {
        add(Severity::Error, item,
            QStringLiteral("porty muszą dać %1 W (ze stratami w przewodach), więcej niż budżet %2 W modelu %3")
                .arg(PoeText::number(p.portPower, 2), QString::number(p.powerBudget), p.model));
    }
    if (p.bitrate > p.bitrateLimit) {
        add(Severity::Error, item,
            QStringLiteral("przepływ danych %1 kbit/s ponad %2 kbit/s modelu %3")
                .arg(PoeText::grouped(p.bitrate), PoeText::grouped(p.bitrateLimit), p.model));
    }
    // A box without a free slot is the rule, not a remark: the selection
    // takes the smallest model that fits.
    if (p.usedSlots > p.slotCount) {
        add(Severity::Error, item,
            QStringLiteral("zajęte %1 z %2 modelu %3")
                .arg(QString::number(p.usedSlots), PoeText::counted(p.slotCount, QStringLiteral("slotu"),
                                                                    QStringLiteral("slotów"),
                                                                    QStringLiteral("slotów")),
                     p.model));
    }
}

void Checker::checkRecorder(DiagramItem *point)
{
    // The recorder keeps the streams of its own cameras and of every point
    // that sends its data through it. The data tree has one uplink per
    // point, so no point comes twice (the bound only guards a stale tree).
    QVector<const DiagramItem *> queue{point};
    QSet<const DiagramItem *> sharedCameras; // on more than one cable: counted once
    PoeCheckResult::Recorder recorder;
    recorder.item = point;
    const int bound = int(m_network.points().size());
    for (int head = 0; head < queue.size() && head < bound; ++head) {
        const DiagramItem *node = queue.at(head);
        for (const Wire *wire : node->wires()) {
            const DiagramItem *other = otherEnd(wire, node);
            if (!isCamera(other))
                continue;
            if (other->wires().size() > 1) {
                if (sharedCameras.contains(other))
                    continue;
                sharedCameras.insert(other);
            }
            ++recorder.cameras;
            recorder.bitrate += other->bitrate();
        }
        for (const DiagramItem *dependant : node->dataDependants())
            queue << dependant;
    }
    const PoeStorageSettings &s = m_result.storage;
    recorder.storageTB = PoeCheck::storageTerabytes(recorder.bitrate, s);
    m_result.recorders << recorder;
    add(Severity::Info, point,
        QStringLiteral("archiwum %1 TB – %2, %3 kbit/s, %4 × %5 h, zapas %6 %")
            .arg(PoeText::number(recorder.storageTB, 2),
                 PoeText::counted(recorder.cameras, QStringLiteral("kamera"), QStringLiteral("kamery"),
                                  QStringLiteral("kamer")),
                 PoeText::grouped(recorder.bitrate),
                 PoeText::counted(s.archiveDays, QStringLiteral("dzień"), QStringLiteral("dni"),
                                  QStringLiteral("dni")),
                 QString::number(s.hoursPerDay), QString::number(s.reservePercent)));
}

void Checker::checkCables()
{
    const QVector<PoeNetwork::CableType> &types = m_network.cableTypes();
    for (int i = 0; i < m_supplyCables.size(); ++i) {
        const PoeNetwork::CableType &type = types.at(i);
        if (!type.assumed || m_supplyCables.at(i) == 0)
            continue;
        const QString why = type.catalogueAwg > 0
                                ? QStringLiteral("nieznany przekrój %1 AWG").arg(type.catalogueAwg)
                                : QStringLiteral("katalog nie podaje przekroju");
        Wire *first = m_firstSupplyCable.at(i);
        add(Severity::Info, first, PoeText::wireName(first),
            QStringLiteral("typ „%1” (%2): %3 – przyjęto %4 AWG")
                .arg(type.name,
                     PoeText::counted(m_supplyCables.at(i), QStringLiteral("przewód zasilający"),
                                      QStringLiteral("przewody zasilające"), QStringLiteral("przewodów zasilających")),
                     why, QString::number(PoeCable::WorstCommonAwg)));
    }
}

void Checker::readModels()
{
    QSet<QString> names;
    m_modelNames.reserve(int(m_network.points().size()));
    for (const PoeNetwork::Point &point : m_network.points()) {
        const bool chosen = point.item->pdSet()->Model.value() != MoxEnums::NotSpecified;
        m_modelNames << (chosen ? point.item->modelName() : QString());
        if (chosen)
            names.insert(m_modelNames.last());
    }
    m_models = PoeCatalogue::pointModels(names.values());
}

void Checker::checkCamera(const PoeNetwork::Camera &camera)
{
    DiagramItem *item = camera.item;
    const int wires = item->wires().size();
    if (wires == 0) {
        add(Severity::Error, item, QStringLiteral("brak zasilania – kamera nie jest podłączona do punktu dystrybucyjnego"));
        return;
    }
    if (wires > 1) {
        add(Severity::Warning, item,
            QStringLiteral("kamera na %1 – nie wiadomo, który ją zasila; nie sprawdzono")
                .arg(PoeText::counted(wires, QStringLiteral("przewodzie"), QStringLiteral("przewodach"),
                                      QStringLiteral("przewodach"))));
        return;
    }
    if (camera.point < 0) {
        add(Severity::Error, item, QStringLiteral("brak zasilania – przewód nie prowadzi do punktu dystrybucyjnego"));
        return;
    }
    const PoeNetwork::Point &point = m_network.points()[size_t(camera.point)];
    const bool supplied = point.live();
    PoeCheckResult::Device *d = newDevice();
    fill(*d, item, camera.wire, camera.length, point.voltage, camera.power, camera.poeClass, supplied,
         camera.cableType, m_network.cameraCable(camera));
    // A camera behind a point without supply has no remark of its own: the
    // point is the cause.
    if (supplied) {
        noteSupplyCable(camera.wire, camera.cableType);
        checkDevice(*d);
    }
}

PoeCheckResult Checker::run()
{
    m_result.storage = PoeCheck::storageSettings(m_scene);
    if (!m_scene)
        return m_result;
    if (!m_network.solve(PoeCheck::Settled, PoeCheck::MaxIterations)) {
        add(Severity::Info, nullptr, QString(),
            QStringLiteral("napięcia łańcucha punktów zasilanych przez PoE nie ustaliły się – wyniki przybliżone"));
    }
    readModels();
    // One record for every camera on a point and every point fed over PoE.
    int devices = m_network.treeOrder().size();
    for (const PoeNetwork::Camera &camera : m_network.cameras())
        devices += camera.point >= 0;
    m_result.devices.resize(devices);
    m_nextDevice = m_result.devices.data();
    m_result.items.resize(int(m_network.cameras().size() + m_network.points().size()));
    DiagramItem **nextItem = m_result.items.data();

    // The sums of bitrate behind a point are asked for once per point.
    CalcPass pass;
    // The figures and remarks, element by element in the order they were drawn.
    const std::vector<PoeNetwork::Point> &points = m_network.points();
    for (const Element &element : m_network.elements()) {
        switch (element.kind) {
        case Element::CableElement: {
            Wire *wire = m_network.wires()[size_t(element.index)];
            if (wire->length() > PoeCheck::ChannelMetres) {
                add(Severity::Warning, wire, PoeText::wireName(wire),
                    QStringLiteral("długość %1 m ponad %2 m kanału Ethernet")
                        .arg(wire->length())
                        .arg(PoeCheck::ChannelMetres));
            }
            break;
        }
        case Element::CameraElement: {
            const PoeNetwork::Camera &camera = m_network.cameras()[size_t(element.index)];
            *nextItem++ = camera.item;
            checkCamera(camera);
            break;
        }
        case Element::PointElement: {
            const PoeNetwork::Point &point = points[size_t(element.index)];
            *nextItem++ = point.item;
            if (!point.mains && !point.reached) {
                add(Severity::Error, point.item,
                    QStringLiteral("brak zasilania – punkt bez zasilania 230 V nie ma źródła PoE"));
            } else if (!point.mains) {
                const bool supplied = !point.cutOff;
                PoeCheckResult::Device *d = newDevice();
                fill(*d, point.item, point.wire, point.length, points[size_t(point.feeder)].voltage, point.load,
                     point.poeClass(), supplied, point.cableType, point.supply);
                if (supplied) {
                    noteSupplyCable(point.wire, point.cableType);
                    checkDevice(*d);
                }
            }
            checkPoint(point, m_modelNames.at(element.index));
            if (point.item->hasNvr())
                checkRecorder(point.item);
            break;
        }
        }
    }
    checkCables();
    return m_result;
}

} // namespace

PoeCheckResult PoeCheck::run(const QGraphicsScene *scene)
{
    return Checker(scene).run();
}

PoeStorageSettings PoeCheck::storageSettings(const QGraphicsScene *scene)
{
    PoeStorageSettings settings;
    const auto *diagramScene = qobject_cast<const DiagramScene *>(scene);
    if (diagramScene && diagramScene->projectSet()) {
        const QtnPropertySetProject *project = diagramScene->projectSet();
        settings.archiveDays = int(project->ArchiveDays.value());
        settings.hoursPerDay = int(project->RecordingHours.value());
        settings.reservePercent = int(project->StorageReserve.value());
    }
    return settings;
}

double PoeCheck::storageTerabytes(qint64 bitrateKbps, const PoeStorageSettings &settings)
{
    // kbit/s -> bytes per second -> per recorded day -> for the archive, plus
    // the reserve; disks are sold in decimal terabytes.
    const double bytesPerSecond = double(bitrateKbps) * 1000.0 / 8.0;
    const double bytes = bytesPerSecond * 3600.0 * settings.hoursPerDay * settings.archiveDays
                         * (1.0 + settings.reservePercent / 100.0);
    return bytes / 1e12;
}

void PoeCheck::writeStorage(const PoeCheckResult &result)
{
    for (const PoeCheckResult::Point &point : result.points) {
        QtnPropertySetPD *set = point.item ? point.item->pdSet() : nullptr;
        if (!set)
            continue;
        const PoeCheckResult::Recorder *recorder = result.recorder(point.item);
        // Shown to two decimals; the property keeps what is shown.
        const double value = recorder ? std::round(recorder->storageTB * 100.0) / 100.0 : 0.0;
        if (set->Storage.value() != value)
            set->Storage.setValue(value);
    }
}

void PoeCheck::markItems(const PoeCheckResult &result, bool shown)
{
    QSet<const QGraphicsItem *> withErrors;
    if (shown) {
        for (const PoeFinding &finding : result.findings) {
            if (finding.severity == Severity::Error && finding.element)
                withErrors.insert(finding.element);
        }
    }
    for (DiagramItem *item : result.items) {
        const bool mark = !withErrors.isEmpty() && withErrors.contains(item);
        if (item->poeCheckMark() != mark) {
            item->setPoeCheckMark(mark);
            item->update();
        }
    }
}
