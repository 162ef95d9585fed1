#ifndef CLI_PROJECTREPORT_H
#define CLI_PROJECTREPORT_H

#include "check/poefinding.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QVector>

class ProjectDoc;

// The budget of a calculated project as figures: one entry per distribution
// point and per camera, in the order of the project file, the remarks of the
// PoE check, and the problems that make a project unfit to build (a device
// at 40 V or less, a cable over 100 m, a point without a catalogue model, an
// error of the PoE check). Reading only: the scene is not touched, so a
// report never changes what it reports on.
class ProjectReport
{
    Q_DECLARE_TR_FUNCTIONS(ProjectReport)

public:
    struct Point {
        QString label;          // "PD 1"
        QString location;
        QString model;          // empty: "Nie określono"
        QString boxType;        // empty: "Nie określono"
        QString feeder;         // label of the point feeding it over PoE; empty with mains
        bool mains = false;
        bool nvr = false;
        bool pc = false;
        int slotsUsed = 0;
        int slotsAvailable = -1; // of the chosen model; -1 without model or catalogue
        int loadW = 0;           // cameras and fed points with their own 1 W
        int bitrateKbps = 0;
        uint voutV = 0;
        double vinV = 0;         // at the point; meaningless with mains
        double voltageLossV = 0;
        bool lowVoltage = false;
        bool longCable = false;
        bool backup = false;
        uint batteryAh = 0;      // with backup: the capacity, entered or computed
        uint backupHours = 0;    // with backup: the time, entered or computed
        double storageTB = -1;   // recorder storage from the PoE check; -1: no recorder
        bool checkError = false; // the PoE check found an error on it
    };

    struct Camera {
        QString label;          // "K 3"
        QString location;
        QString model;          // empty: "Nie określono"
        QString point;          // label of the point at the other end of its cable
        bool modelMissing = false;
        uint powerW = 0;
        int bitrateKbps = 0;
        int cableM = -1;        // -1: not exactly one cable
        double vinV = 0;
        double voltageLossV = 0;
        bool lowVoltage = false;
        bool longCable = false;
        bool checkError = false; // the PoE check found an error on it
    };

    struct Problem {
        enum Kind { LowVoltage, LongCable, NoModel, CheckError };
        Kind kind;
        QString element;        // label of the device, or "PD 1 – K 3" for a cable
        QString text;
    };

    // A finding of the PoE check, shown as the check words it.
    struct Finding {
        enum Severity { Error, Warning, Info };
        Severity severity;
        QString element;
        QString text;
    };

    QString file;
    QString catalogue;          // empty: no catalogue open
    QString name, address, comments, createDate;
    QList<Point> points;
    QList<Camera> cameras;
    QList<Problem> problems;
    // The remarks of the PoE check; checked tells a report with none from
    // one made without the check.
    bool checked = false;
    QList<Finding> findings;

    // Collects the figures of the sheet's scene as the calculation left them.
    static ProjectReport of(const ProjectDoc *doc, const QString &file, const QString &catalogue);

    bool hasProblems() const { return !problems.isEmpty(); }

    static QString kindKey(Problem::Kind kind);
    static QString severityKey(Finding::Severity severity);

private:
    void collectProblems(const ProjectDoc *doc);
    void addFindings(const QVector<PoeFinding> &remarks);
};

#endif // CLI_PROJECTREPORT_H
