#ifndef CATALOGUE_H
#define CATALOGUE_H

#include "catalogue/cataloguesnapshot.h"
#include "catalogue/pdcriteria.h"

#include <QList>
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
//
// The answers come from the catalogue snapshot (CatalogueSnapshot), which
// follows the default connection and answers what the statements would; a
// list built from a snapshot is kept as long as the snapshot is, since
// building it again would give the same list. Where the snapshot declines,
// the statement runs. The other answer source runs every statement and
// rebuilds every list, as the definitions read: it is there to prove that
// both give the same results.
class Catalogue
{
public:
    enum AnswerSource { Snapshot, Statements };
    static void setAnswerSource(AnswerSource source);
    static AnswerSource answerSource();

    // Loads the snapshot from the default connection now: after the editor
    // opened the catalogue or rewrote a table of it.
    static void reloadSnapshot();

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

    // The same for the model pass: a list that already holds exactly the
    // entries these names would give stays, and only the selection is kept
    // as a rebuild would keep it.
    static bool updatePdModels(QtnPropertyEnum& model, const QStringList& names, const QString& rememberedText,
                               bool* modelMissing, QString* toolTip = nullptr);

    // A stretch of work during which the catalogue stands still (a
    // calculation pass, reading a file, generating a network): it is
    // checked for changes once, at the first question, and the enclosure and
    // camera model statements run at most once. Outside every pass each
    // question sees the catalogue as it is, so a refresh after an import sees
    // the new table. Passes may nest.
    class Pass
    {
    public:
        Pass();
        ~Pass();
        Pass(const Pass &) = delete;
        Pass &operator=(const Pass &) = delete;

    private:
        CatalogueSnapshot::Pass m_snapshotPass;
    };
    // The names the passes had when they served one list each.
    using BoxTypeCache = Pass;
    using CameraModelCache = Pass;

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

    // The model selection statement (4) for these criteria: the "name" of
    // every row it returns, in order; empty when it fails.
    static QStringList fittingPdModels(const PdCriteria &criteria);
    // Whether it returns a row.
    static bool findsPdModel(const PdCriteria &criteria);
    // Statement 5: the "bitrate" of every row of that name, in order.
    static QList<int> pdBitrates(const QString &name);

    // Statement 5: the "bitrate" of every row named so; the last row decides.
    // False, with *bitrate untouched, when no row matches.
    static bool lookupPdBitrate(const QString& name, int* bitrate);

    // Display text of the property's current value; empty without an
    // enumeration or for a value the enumeration does not hold.
    static QString displayText(const QtnPropertyEnum& property);

    // A number that tells the catalogue list attached to the property from
    // every list attached before or since (0: no catalogue list).
    static quint64 listStamp(const QtnPropertyEnum& property);

private:
    // generation: the snapshot the texts come from (0: a statement's answer).
    static bool rebuildList(QtnPropertyEnum& property, const QString& remembered, const QString& enumName,
                            const QStringList& texts, int firstValue, const QString& namePrefix, bool modelList,
                            bool* modelMissing, QString* toolTip, const char* logWord, quint64 generation = 0);
    static bool keepSelection(QtnPropertyEnum& property, const QString& remembered, bool modelList,
                              bool* modelMissing, QString* toolTip, const char* logWord);
    static bool reuseList(QtnPropertyEnum& property, const QString& enumName, quint64 generation);
    static bool holdsList(const QtnPropertyEnum& property, const QString& enumName, const QStringList& texts,
                          int firstValue, const QString& namePrefix);
    static QStringList boxTypes(quint64* generation);
    static QStringList cameraModels(quint64* generation);
};

#endif // CATALOGUE_H
