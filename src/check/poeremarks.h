#ifndef CHECK_POEREMARKS_H
#define CHECK_POEREMARKS_H

#include "check/poecheckresult.h"
#include "check/poenetwork.h"

#include <QVector>

class DiagramItem;
class QGraphicsItem;
class Wire;

// The remarks of the PoE check, worded: each function appends what one
// element has to say about figures already worked out, in Polish, the
// element's name first ("K 7: napięcie 39,19 V poniżej minimum 42,5 V dla
// 802.3at").
namespace PoeRemarks {

using Remarks = QVector<PoeFinding>;

void add(Remarks &remarks, PoeFinding::Severity severity, QGraphicsItem *element, const QString &name,
         const QString &text);
void add(Remarks &remarks, PoeFinding::Severity severity, DiagramItem *item, const QString &text);

// A device at the end of its supply cable against its class and standard.
// name: where given, the device's name, worked out there where null and
// kept for the next time (a chain's devices are worded again on every edit).
void device(const PoeCheckResult::Device &device, Remarks &remarks, QString *name = nullptr);
// A camera on no cable (wires 0), on several, or on one that leads to no
// distribution point.
void unfedCamera(DiagramItem *camera, int wires, Remarks &remarks);
// A point without mains that no PoE reaches.
void unsuppliedPoint(DiagramItem *point, Remarks &remarks);
// A point against its catalogue model; chosen: it has a model at all.
void point(const PoeCheckResult::Point &point, bool chosen, Remarks &remarks, QString *name = nullptr);
void recorder(const PoeCheckResult::Recorder &recorder, const PoeStorageSettings &settings, Remarks &remarks,
              QString *name = nullptr);
// A cable longer than an Ethernet channel.
void cable(Wire *wire, Remarks &remarks);
// A cable type whose gauge had to be assumed, on the first of its supply cables.
void assumedGauge(const PoeNetwork::CableType &type, int supplyCables, Wire *first, Remarks &remarks);
// The chains' voltages did not settle.
void unsettled(Remarks &remarks);

} // namespace PoeRemarks

#endif // CHECK_POEREMARKS_H
