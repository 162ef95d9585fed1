#include "check/poeremarks.h"

#include "check/poecheck.h"
#include "check/poetext.h"
#include "diagram/diagramitem.h"
#include "diagram/wire.h"

#include <QStringBuilder>

namespace {

using Severity = PoeFinding::Severity;

// The figures of the standard's limits as the remarks write them, worded
// once: they are the same for every device of a class.
struct LimitTexts
{
    QString minimum[4];
    QString current[4];
    QString port[PoeStandard::HighestClass + 1];
    QString classPower;

    LimitTexts()
    {
        for (int type = PoeStandard::Af; type <= PoeStandard::BtType4; ++type) {
            minimum[type] = PoeText::limit(PoeStandard::minimumVoltage(PoeStandard::Type(type)));
            current[type] = PoeText::limit(PoeStandard::currentPerPairLimit(PoeStandard::Type(type)));
        }
        for (int poeClass = 0; poeClass <= PoeStandard::HighestClass; ++poeClass)
            port[poeClass] = PoeText::limit(PoeStandard::portPower(poeClass));
        classPower = PoeText::limit(PoeStandard::devicePower(PoeStandard::HighestClass));
    }
};

const LimitTexts &limitTexts()
{
    static const LimitTexts texts;
    return texts;
}

// The element's name, a colon and the text put together in one allocation
// (text: a string or the pieces of one).
template <typename Text>
void addNamed(PoeRemarks::Remarks &remarks, Severity severity, QGraphicsItem *element, const QString &name,
              const Text &text)
{
    PoeFinding finding;
    finding.severity = severity;
    finding.element = element;
    finding.elementName = name;
    if (name.isEmpty())
        finding.text = text;
    else
        finding.text = name % QLatin1String(": ") % text;
    remarks.append(std::move(finding));
}

} // namespace

void PoeRemarks::add(Remarks &remarks, Severity severity, QGraphicsItem *element, const QString &name,
                     const QString &text)
{
    addNamed(remarks, severity, element, name, text);
}

void PoeRemarks::add(Remarks &remarks, Severity severity, DiagramItem *item, const QString &text)
{
    add(remarks, severity, item, PoeText::itemName(item), text);
}

void PoeRemarks::device(const PoeCheckResult::Device &d, Remarks &remarks, QString *name)
{
    // Most devices have nothing to say: their name is worked out only for
    // the first remark.
    QString own;
    QString &known = name ? *name : own;
    const auto error = [&](const auto &text) {
        if (known.isNull())
            known = PoeText::itemName(d.item);
        addNamed(remarks, Severity::Error, d.item, known, text);
    };
    const PoeCable &c = d.cable;
    // (Texts are put together piece by piece: one allocation each, no
    // pattern to read.)
    if (d.poeClass == PoeStandard::NoClass) {
        error(QStringLiteral("moc ") % PoeText::limit(d.devicePower) % QStringLiteral(" W ponad ")
              % limitTexts().classPower % QStringLiteral(" W klasy 8 – żaden standard PoE jej nie dostarczy"));
    }
    if (c.collapsed) {
        error(QStringLiteral("przewód nie dostarczy mocy ") % PoeText::limit(d.devicePower)
              % QStringLiteral(" W – 4RP = ") % PoeText::number(4.0 * c.resistance * d.devicePower, 1)
              % QStringLiteral(" ponad Vs² = ") % PoeText::number(d.sourceVoltage * d.sourceVoltage, 1));
        return;
    }
    if (d.standard == PoeStandard::NoType)
        return;
    const LimitTexts &limits = limitTexts();
    const auto standard = [&d] { return PoeStandard::name(d.standard); };
    if (c.voltage < PoeStandard::minimumVoltage(d.standard)) {
        error(QStringLiteral("napięcie ") % PoeText::number(c.voltage, 2) % QStringLiteral(" V poniżej minimum ")
              % limits.minimum[d.standard] % QStringLiteral(" V dla ") % standard());
    }
    if (c.currentPerPair > PoeStandard::currentPerPairLimit(d.standard)) {
        error(QStringLiteral("prąd ") % PoeText::number(c.currentPerPair, 2)
              % QStringLiteral(" A na parę powyżej dopuszczalnych ") % limits.current[d.standard]
              % QStringLiteral(" A dla ") % standard());
    }
    if (c.portPower > PoeStandard::portPower(d.poeClass)) {
        error(QStringLiteral("port musi dać ") % PoeText::number(c.portPower, 2) % QStringLiteral(" W, więcej niż ")
              % limits.port[d.poeClass] % QStringLiteral(" W klasy ") % QString::number(d.poeClass)
              % QStringLiteral(" (") % standard() % QLatin1Char(')'));
    }
}

void PoeRemarks::unfedCamera(DiagramItem *camera, int wires, Remarks &remarks)
{
    if (wires == 0) {
        add(remarks, Severity::Error, camera,
            QStringLiteral("brak zasilania – kamera nie jest podłączona do punktu dystrybucyjnego"));
    } else if (wires > 1) {
        add(remarks, Severity::Warning, camera,
            QStringLiteral("kamera na %1 – nie wiadomo, który ją zasila; nie sprawdzono")
                .arg(PoeText::counted(wires, QStringLiteral("przewodzie"), QStringLiteral("przewodach"),
                                      QStringLiteral("przewodach"))));
    } else {
        add(remarks, Severity::Error, camera,
            QStringLiteral("brak zasilania – przewód nie prowadzi do punktu dystrybucyjnego"));
    }
}

void PoeRemarks::unsuppliedPoint(DiagramItem *point, Remarks &remarks)
{
    add(remarks, Severity::Error, point, QStringLiteral("brak zasilania – punkt bez zasilania 230 V nie ma źródła PoE"));
}

void PoeRemarks::point(const PoeCheckResult::Point &p, bool chosen, Remarks &remarks, QString *name)
{
    QString own;
    QString &known = name ? *name : own;
    const auto add = [&](Severity severity, DiagramItem *item, const QString &text) {
        if (known.isNull())
            known = PoeText::itemName(item);
        PoeRemarks::add(remarks, severity, item, known, text);
    };
    if (!chosen) {
        add(Severity::Info, p.item,
            QStringLiteral("brak modelu z katalogu – nie sprawdzono budżetu PoE, przepływu danych ani slotów"));
        return;
    }
    if (!p.modelKnown) {
        add(Severity::Info, p.item,
            QStringLiteral("model „%1” nie występuje w katalogu – nie sprawdzono budżetu PoE, przepływu danych "
                           "ani slotów")
                .arg(p.model));
        return;
    }
    if (p.portPower > p.powerBudget) {
        add(Severity::Error, p.item,
            QStringLiteral("porty muszą dać %1 W (ze stratami w przewodach), więcej niż budżet %2 W modelu %3")
                .arg(PoeText::number(p.portPower, 2), QString::number(p.powerBudget), p.model));
    }
    if (p.bitrate > p.bitrateLimit) {
        add(Severity::Error, p.item,
            QStringLiteral("przepływ danych %1 kbit/s ponad %2 kbit/s modelu %3")
                .arg(PoeText::grouped(p.bitrate), PoeText::grouped(p.bitrateLimit), p.model));
    }
    // A box without a free slot is the rule, not a remark: the selection
    // takes the smallest model that fits.
    if (p.usedSlots > p.slotCount) {
        add(Severity::Error, p.item,
            QStringLiteral("zajęte %1 z %2 modelu %3")
                .arg(QString::number(p.usedSlots),
                     PoeText::counted(p.slotCount, QStringLiteral("slotu"), QStringLiteral("slotów"),
                                      QStringLiteral("slotów")),
                     p.model));
    }
}

void PoeRemarks::recorder(const PoeCheckResult::Recorder &r, const PoeStorageSettings &s, Remarks &remarks,
                          QString *name)
{
    QString own;
    QString &known = name ? *name : own;
    if (known.isNull())
        known = PoeText::itemName(r.item);
    // (Every recorder above a change is worded again: piece by piece, no
    // pattern to read.)
    addNamed(remarks, Severity::Info, r.item, known,
             QStringLiteral("archiwum ") % PoeText::number(r.storageTB, 2) % QStringLiteral(" TB – ")
                 % PoeText::counted(r.cameras, QStringLiteral("kamera"), QStringLiteral("kamery"),
                                    QStringLiteral("kamer"))
                 % QStringLiteral(", ") % PoeText::grouped(r.bitrate) % QStringLiteral(" kbit/s, ")
                 % PoeText::counted(s.archiveDays, QStringLiteral("dzień"), QStringLiteral("dni"),
                                    QStringLiteral("dni"))
                 % QStringLiteral(" × ") % QString::number(s.hoursPerDay) % QStringLiteral(" h, zapas ")
                 % QString::number(s.reservePercent) % QStringLiteral(" %"));
}

void PoeRemarks::cable(Wire *wire, Remarks &remarks)
{
    if (wire->length() > PoeCheck::ChannelMetres) {
        add(remarks, Severity::Warning, wire, PoeText::wireName(wire),
            QStringLiteral("długość %1 m ponad %2 m kanału Ethernet").arg(wire->length()).arg(PoeCheck::ChannelMetres));
    }
}

void PoeRemarks::assumedGauge(const PoeNetwork::CableType &type, int supplyCables, Wire *first, Remarks &remarks)
{
    const QString why = type.catalogueAwg > 0 ? QStringLiteral("nieznany przekrój %1 AWG").arg(type.catalogueAwg)
                                              : QStringLiteral("katalog nie podaje przekroju");
    add(remarks, Severity::Info, first, PoeText::wireName(first),
        QStringLiteral("typ „%1” (%2): %3 – przyjęto %4 AWG")
            .arg(type.name,
                 PoeText::counted(supplyCables, QStringLiteral("przewód zasilający"),
                                  QStringLiteral("przewody zasilające"), QStringLiteral("przewodów zasilających")),
                 why, QString::number(PoeCable::WorstCommonAwg)));
}

void PoeRemarks::unsettled(Remarks &remarks)
{
    add(remarks, Severity::Info, nullptr, QString(),
        QStringLiteral("napięcia łańcucha punktów zasilanych przez PoE nie ustaliły się – wyniki przybliżone"));
}
