#ifndef CAMERACSVIMPORT_H
#define CAMERACSVIMPORT_H

#include <QString>
#include <QStringList>

// Replaces the camera table of the catalogue (the default database
// connection) with the cameras of a CSV file: one camera per line, fields
// model, power [W], bitrate [kbit/s], separated by commas with no quoting.
// Lines of any other field count are skipped without a message.
//
// The delete and all inserts run in one transaction: a large file imports in
// one write of the catalogue, and a catalogue that cannot take the new table
// (disk full, read-only file, locked by another program) is rolled back and
// keeps every old row.
//
// Refreshing the camera lists of the drawing afterwards is the caller's part.
class CameraCsvImport
{
public:
    struct Result {
        bool fileOpened = false;   // false: the catalogue was not touched
        bool catalogueOpen = false;
        bool committed = false;    // the camera table now holds exactly the accepted lines
        bool rolledBack = false;   // the new table could not be stored; the old one stays
        int lines = 0;             // lines read
        int accepted = 0;          // lines with exactly three fields
        int skipped = 0;           // lines of another field count
    };

    // One CSV line split into the values stored for it; false when the line
    // does not have exactly three fields.
    static bool parseLine(const QString &line, QString *model, int *power, int *bitrate);

    static Result importFile(const QString &path);
};

#endif // CAMERACSVIMPORT_H
