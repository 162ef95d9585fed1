#ifndef CLI_REPORTFORMAT_H
#define CLI_REPORTFORMAT_H

#include "cli/projectreport.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// A project report in the three forms the command-line tool prints: a text
// for the terminal (Polish, two aligned tables and the problems), JSON for
// programs (keys in English, listed in the README) and CSV for spreadsheets
// (one row per device). JSON and CSV are UTF-8.
class ReportFormat
{
    Q_DECLARE_TR_FUNCTIONS(ReportFormat)

public:
    static QString text(const ProjectReport &report);
    static QByteArray json(const ProjectReport &report, int exitStatus);
    static QByteArray csv(const ProjectReport &report);

    // Machine keys of the device flags, as JSON and CSV carry them.
    static QStringList pointFlags(const ProjectReport::Point &point);
    static QStringList cameraFlags(const ProjectReport::Camera &camera);
};

#endif // CLI_REPORTFORMAT_H
