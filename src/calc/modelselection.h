#ifndef MODELSELECTION_H
#define MODELSELECTION_H

#include "calc/pdrequirements.h"

#include <QList>
#include <QString>
#include <QStringList>

class DiagramItem;

// Installs ModelSelection::select as the model selection every distribution
// point runs when its lists are refreshed. Safe to call any number of times.
void installModelSelection();

// Keeps, for one distribution point, the list of catalogue models that fit
// what is connected to it, picks the first when none (or one that no longer
// fits) is chosen, explains in the tool tip which need no model meets, and
// reads the catalogue throughput of the chosen model.
class ModelSelection
{
public:
    // Answers from the catalogue snapshot, and does nothing at all when the
    // point's needs, the snapshot and what the last selection left on the
    // point are as they were: it would change nothing. With the statements
    // as the answer source, see selectByStatements.
    static void select(DiagramItem *point);
    // Runs every statement and rebuilds the list each time; the answers are
    // read from the current CalcPass when there is one, so points with the
    // same needs ask the catalogue once per pass.
    static void selectByStatements(DiagramItem *point);

    // The needs of a point as they stand now.
    static PdRequirements requirements(const DiagramItem *point);

    // The statements' answers, kept by the current CalcPass.
    // The names of the models fitting a statement, in catalogue order; empty
    // when the statement fails (no catalogue).
    static QStringList fittingModels(const QString &statement);
    // Whether a statement returns at least one row.
    static bool finds(const QString &statement);
    // The "bitrate" column of every catalogue row of this model name.
    static QList<int> modelBitrates(const QString &name);
};

#endif // MODELSELECTION_H
