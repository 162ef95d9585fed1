#ifndef CATALOGUE_CATALOGUESNAPSHOT_H
#define CATALOGUE_CATALOGUESNAPSHOT_H

#include "catalogue/pdcriteria.h"

#include <QHash>
#include <QList>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <QVector>

// The catalogue's tables camera, pd and wire held in memory, whole rows with
// every column, as the default connection returns them. The catalogue is
// small (tens to thousands of rows) while the editor asks it thousands of
// questions per loaded project; the snapshot answers them without a
// statement, and answers exactly what the statements would:
//
//   - the three lists are the statements' own answers, run when the
//     snapshot is loaded;
//   - the model selection and the look-ups by name compare the stored
//     values the way SQLite compares them (column affinity, storage
//     classes, binary collation) and keep the order of the rows, which is
//     the order a full scan returns them in.
//
// Where SQLite could answer differently from the snapshot (an index that
// changes the order, a collation, values whose comparison the snapshot does
// not model, an open transaction, a WAL catalogue changed by another
// process), the snapshot declines and the caller runs the statement.
//
// The snapshot follows the default connection: a connection opened or
// replaced since, a catalogue changed through this connection or through
// another one, makes it load again before it answers. Checking that costs no
// statement: SQLite's data version of the connection, the change counter in
// the file header and a mark left on the connection tell it.
class CatalogueSnapshot
{
public:
    // How SQLite treats the values of a column in comparisons, from its
    // declared type.
    enum Affinity { AffinityText, AffinityNumeric, AffinityInteger, AffinityReal, AffinityBlob };

    // A stored value as SQLite compares it: its storage class and content.
    struct Value
    {
        enum Storage { Null, Integer, Real, Text, Blob };
        Storage storage = Null;
        qint64 integer = 0;
        double real = 0.0;
        QByteArray bytes; // UTF-8 of a text, the bytes of a blob
    };

    struct Table
    {
        QString name;
        bool exists = false;        // "select * from <name>" runs
        QSqlRecord record;          // its columns, as that statement names them
        QVector<QVector<QVariant>> rows; // in the order it returns them
        // Whether a filtered statement on the table scans the rows in this
        // same order and compares as the snapshot does.
        bool comparable = false;
        QVector<Affinity> affinities;     // per column, when comparable
        // Per column: every stored value is of a storage class the snapshot
        // compares as SQLite does under the column's affinity.
        QVector<bool> plainColumns;
        QVector<QVector<Value>> values;   // the rows as compared, when comparable

        // Column index by name, without regard to case, as SQLite resolves
        // a column and QSqlRecord::indexOf finds a field; -1 when missing.
        int column(const QString &name) const { return record.indexOf(name); }
    };

    // Loaded from the connection as it is now; numbered anew on every load.
    quint64 generation() const { return m_generation; }
    bool catalogueOpen() const { return m_open; }

    const Table &camera() const { return m_camera; }
    const Table &pd() const { return m_pd; }
    const Table &wire() const { return m_wire; }

    // Answers of "select boxtype from pd group by boxtype;", and the "model"
    // column of "select * from camera" and "select * from wire".
    const QStringList &boxTypes() const { return m_boxTypes; }
    const QStringList &cameraModels() const { return m_cameraModels; }
    const QStringList &wireModels() const { return m_wireModels; }

    // The "name" column of every row the selection statement returns.
    // False when the snapshot cannot answer this statement exactly.
    bool fittingModels(const PdCriteria &criteria, QStringList *names) const;
    // Whether the statement returns a row; false when it cannot tell.
    bool finds(const PdCriteria &criteria, bool *found) const;
    // "select * from pd where name = (:name)": the "bitrate" column of every
    // row, as integers, in order. False when it cannot tell.
    bool pdBitrates(const QString &name, QList<int> *bitrates) const;
    // "select * from camera where model = (:model)": the first row, or null
    // when none. False when it cannot tell.
    bool cameraByModel(const QString &model, const QVector<QVariant> **row) const;

    // The snapshot of the default connection as it is now, loaded again if
    // the connection or the catalogue changed; null when the statements
    // must answer (see above). While a Pass lives, the catalogue is checked
    // once, at the first question.
    static const CatalogueSnapshot *current();
    // Loads again at the next question (after the editor itself rewrote a
    // table, for instance).
    static void invalidate();

    // A stretch of work during which the catalogue stands still (a
    // calculation pass, reading a file). Passes may nest.
    class Pass
    {
    public:
        Pass();
        ~Pass();
        Pass(const Pass &) = delete;
        Pass &operator=(const Pass &) = delete;
    };

    // How many times a snapshot was loaded so far (for tests and benchmarks).
    static int loadCount();

private:
    struct Condition;
    bool load();
    // The conditions of the statement, ready to compare; false when the
    // snapshot cannot model one of them. *fails: the statement names a
    // column the table lacks, so it fails and returns nothing.
    bool conditions(const PdCriteria &criteria, QVector<Condition> *out, bool *fails) const;
    bool rowMatches(int row, const QVector<Condition> &conditions) const;
    bool rowsNamed(const Table &table, const QString &column, const QString &text, QVector<int> *rows,
                   bool *fails) const;

    quint64 m_generation = 0;
    bool m_open = false;
    bool m_utf8 = true;
    Table m_camera;
    Table m_pd;
    Table m_wire;
    QStringList m_boxTypes;
    QStringList m_cameraModels;
    QStringList m_wireModels;
    // Answers already worked out, for points with the same needs.
    mutable QHash<PdCriteria, QStringList> m_fitting;
};

#endif // CATALOGUE_CATALOGUESNAPSHOT_H
