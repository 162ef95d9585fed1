#ifndef CHECK_POECHECKRESULT_H
#define CHECK_POECHECKRESULT_H

#include "check/poecable.h"
#include "check/poefinding.h"
#include "check/poestandard.h"

#include <QString>
#include <QVector>

class DiagramItem;
class QGraphicsItem;
class Wire;

// How long and how much a recorder keeps, from the project's settings.
struct PoeStorageSettings
{
    int archiveDays = 30;
    int hoursPerDay = 24;
    int reservePercent = 10;
};

// Everything one run of the PoE check found: the remarks, and the figures
// behind them for every device on a cable, every distribution point and
// every recorder. Pointers refer to the checked scene.
class PoeCheckResult
{
public:
    using Severity = PoeFinding::Severity;

    // A device at the end of its supply cable: a camera, or a distribution
    // point fed over PoE.
    struct Device
    {
        DiagramItem *item = nullptr;
        Wire *wire = nullptr;          // its supply cable
        bool supplied = false;         // false: no voltage reaches it, figures are 0
        double sourceVoltage = 0.0;    // at the feeding port, V
        double length = 0.0;           // m
        int awg = 0;                   // gauge the figures are worked with
        bool awgAssumed = false;       // the catalogue did not know it
        double devicePower = 0.0;      // drawn by the device, W
        int poeClass = PoeStandard::NoClass;
        PoeStandard::Type standard = PoeStandard::NoType;
        PoeCable cable;                // pairs, resistance, voltage, current, loss, port power
    };

    // A distribution point against its catalogue model.
    struct Point
    {
        DiagramItem *item = nullptr;
        QString model;                 // as chosen; "Nie określono" when none
        bool modelKnown = false;       // found in the catalogue
        double portPower = 0.0;        // all its PoE ports together, cable losses included, W
        int powerBudget = 0;           // the model's camera_total_power_max, W
        qint64 bitrate = 0;            // data passing through it, kbit/s
        int bitrateLimit = 0;          // the model's throughput, kbit/s
        int usedSlots = 0;
        int slotCount = 0;             // the model's camera_slots
    };

    // A distribution point with a recorder.
    struct Recorder
    {
        DiagramItem *item = nullptr;
        int cameras = 0;               // cameras whose streams it records
        qint64 bitrate = 0;            // their streams together, kbit/s
        double storageTB = 0.0;        // disk space needed, decimal terabytes
    };

    QVector<PoeFinding> findings;
    // Every camera and distribution point of the checked scene, in the order
    // of the drawing, and whether some error belongs to each.
    QVector<DiagramItem *> items;
    QVector<bool> itemErrors;
    // In the order of the drawing. After a camera amid the drawing was taken
    // away, its record may stay where it stood, empty (no item), until the
    // drawing is read anew: nothing after it has to move.
    QVector<Device> devices;
    QVector<Point> points;
    QVector<Recorder> recorders;
    PoeStorageSettings storage;

    int count(Severity severity) const;
    int errorCount() const { return count(Severity::Error); }
    // Whether some error belongs to this element.
    bool hasError(const QGraphicsItem *element) const;

    // Null when the element has no such figures.
    const Device *device(const QGraphicsItem *item) const;
    const Point *point(const QGraphicsItem *item) const;
    const Recorder *recorder(const QGraphicsItem *item) const;
};

#endif // CHECK_POECHECKRESULT_H
