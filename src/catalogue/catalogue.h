#ifndef CATALOGUE_H
#define CATALOGUE_H

#include <QString>
#include <QStringList>

class QtnPropertyEnum;
class QtnPropertySetCamera;

// The product catalogue as the editor sees it: the lists of camera models,
// enclosures, distribution-point models and cable types that the property
// panel offers, and the look-ups by model name. Every statement runs on the
// default database connection, which start-up opens only when the catalogue
// file exists; without it every statement fails, every list holds only
// "Nie określono" and the look-ups find nothing. The connection is never
// opened from here, so no empty catalogue file is ever created.
//
// A refresh replaces the list of one property and keeps its selection by the
// display text. Where the model-missing flag or the tool tip of the item
// would change, the result is written through the given pointers (either may
// be null); they are left alone otherwise. The lists are owned by the
// property they are attached to and go with it.
class Catalogue
{
public:
    // The statements, verbatim.
    static const char* const BoxTypesStatement;      // "select boxtype from pd group by boxtype;"
    static const char* const CameraModelsStatement;  // "select * from camera"
    static const char* const WireTypesStatement;     // "select * from wire"
    static const char* const PdByNameStatement;      // "select * from pd where name = (:name)"
    static const char* const CameraByModelStatement; // "select * from camera where model = (:model)"

    // Camera "Model": a list "CAMERATYPE" of its own, entries 3, 4, ... named
    // cam3, cam4, ...; a model that left the catalogue falls back to
    // "Nie określono" and sets *modelMissing.
    static bool refreshCameraModels(QtnPropertyEnum& model, bool* modelMissing, QString* toolTip = nullptr);

    // Distribution point "BoxType": a list "BOXTYPE" of its own from the
    // enclosures of table pd, entries 3, 4, ... named boxtype3, ...
    static bool refreshBoxTypes(QtnPropertyEnum& boxType);

    // Wire "Model": attaches the one list "WIRETYPE" shared by all wires,
    // whose catalogue entries (3, 4, ... named cam3, ...) are replaced only when
    // table wire has rows, and sets the property to 0 "Nie określono".
    static void refreshWireTypes(QtnPropertyEnum& model);

    // Distribution point "Model": runs the model selection statement and
    // gives the property a list "PDTYPE" of its own with the fitting models
    // as 1, 2, ... named pd1, pd2, ... A selection that still fits stays; one
    // that does not (or "Nie określono") becomes the first fitting model,
    // clearing *modelMissing and the tool tip. With nothing fitting the
    // property becomes 0 and *modelMissing is left for the caller's diagnosis.
    static bool rebuildPdModels(QtnPropertyEnum& model, const QString& selectionStatement, bool* modelMissing,
                                QString* toolTip = nullptr);
    // The same with the model names already at hand.
    static bool setPdModels(QtnPropertyEnum& model, const QStringList& names, bool* modelMissing,
                            QString* toolTip = nullptr);
    // The same, keeping the selection by a text remembered earlier rather
    // than by the property's current text.
    static bool setPdModels(QtnPropertyEnum& model, const QStringList& names, const QString& rememberedText,
                            bool* modelMissing, QString* toolTip = nullptr);

    // While one of these lives, refreshBoxTypes runs the enclosure statement
    // once and reuses its answer: a calculation pass refreshes every point
    // against a catalogue that cannot change meanwhile. Scopes may nest.
    class BoxTypeCache
    {
    public:
        BoxTypeCache();
        ~BoxTypeCache();
        BoxTypeCache(const BoxTypeCache&) = delete;
        BoxTypeCache& operator=(const BoxTypeCache&) = delete;
    };

    // The same for refreshCameraModels and the camera model statement:
    // reading a file or generating a network creates many cameras at once.
    // Outside every scope each refresh asks the catalogue again, so a refresh
    // after an import sees the new table. Scopes may nest.
    class CameraModelCache
    {
    public:
        CameraModelCache();
        ~CameraModelCache();
        CameraModelCache(const CameraModelCache&) = delete;
        CameraModelCache& operator=(const CameraModelCache&) = delete;
    };

    // The texts of one named column over every row of a statement, in row
    // order; empty when the statement fails or returns no row.
    static QStringList columnTexts(const QString& statement, const QString& column);
    // Whether a statement executes and returns at least one row.
    static bool hasRows(const QString& statement);

    // Statement 6 for a camera model: power (W), bitrate (kbit/s) and the
    // row's fourth column (0 when the table has fewer columns) of the first
    // row. False, with nothing written, when no row matches.
    static bool lookupCamera(const QString& model, int* power, int* bitrate, int* fourthColumn = nullptr);
    // Looks up the camera's chosen model and writes "Power", then "Bitrate"
    // through their setters (the ranges of the set apply). False when the
    // catalogue has no such model.
    static bool applyCameraModel(QtnPropertySetCamera& camera);

    // Statement 5: the "bitrate" of every row named so; the last row decides.
    // False, with *bitrate untouched, when no row matches.
    static bool lookupPdBitrate(const QString& name, int* bitrate);

    // Display text of the property's current value; empty without an
    // enumeration or for a value the enumeration does not hold.
    static QString displayText(const QtnPropertyEnum& property);

private:
    static bool rebuildList(QtnPropertyEnum& property, const QString& remembered, const QString& enumName,
                            const QStringList& texts, int firstValue, const QString& namePrefix, bool modelList,
                            bool* modelMissing, QString* toolTip, const char* logWord);
    static QStringList boxTypes();
    static QStringList cameraModels();
};

#endif // CATALOGUE_H
