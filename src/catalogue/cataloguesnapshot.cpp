#include "catalogue/cataloguesnapshot.h"

#include "log/moxlog.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSet>

#include <sqlite3.h>

#include <cstring>
#include <memory>

namespace {

// ------------------------------------------------------------ the snapshot in use

// The catalogue is used from the GUI thread only.
std::unique_ptr<CatalogueSnapshot> s_snapshot;
bool s_stale = true;
sqlite3 *s_handle = nullptr;
unsigned s_dataVersion = 0;
QByteArray s_header;
quint64 s_lastGeneration = 0;
int s_loads = 0;
int s_passDepth = 0;
bool s_passChecked = false;
const CatalogueSnapshot *s_passAnswer = nullptr;

// The mark left on a connection the snapshot was loaded from: a connection
// that lacks it was opened since, even if SQLite gave it the address of the
// one before. A rollback hook is used because nothing else in the editor or
// in Qt's driver sets one; the hook itself does nothing.
char s_mark;
void markedRollback(void *) {}

bool carriesMark(sqlite3 *handle)
{
    // Setting the hook returns the one before: the mark stays set either way.
    return sqlite3_rollback_hook(handle, &markedRollback, &s_mark) == &s_mark;
}

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

// SQLite's count of changes to the file as this connection knows it: every
// commit of this connection, and every commit of another connection from
// the moment this one reads again.
unsigned dataVersion(sqlite3 *handle)
{
    unsigned version = 0;
    sqlite3_file_control(handle, "main", SQLITE_FCNTL_DATA_VERSION, &version);
    return version;
}

// The 100-byte header of the file as it is on disk, read through SQLite's
// own file handle (another descriptor closed on the file would drop SQLite's
// locks). Its change counter moves with every commit of any connection in
// rollback-journal mode; bytes 18 and 19 tell a WAL file. Empty for a
// catalogue that lives in memory.
QByteArray fileHeader(sqlite3 *handle)
{
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(handle, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file
        || !file->pMethods)
        return QByteArray();
    QByteArray header(100, '\0');
    const int rc = file->pMethods->xRead(file, header.data(), header.size(), 0);
    if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ)
        return QByteArray();
    return header;
}

bool isWal(const QByteArray &header)
{
    return header.size() >= 20 && (header.at(18) == 2 || header.at(19) == 2);
}

// ------------------------------------------------------------ SQLite's comparison

using Value = CatalogueSnapshot::Value;
using Affinity = CatalogueSnapshot::Affinity;

// The affinity of a declared column type, by SQLite's rules in their order.
Affinity affinityOf(const QString &declared)
{
    const QString t = declared.toUpper();
    if (t.contains(QLatin1String("INT")))
        return CatalogueSnapshot::AffinityInteger;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return CatalogueSnapshot::AffinityText;
    if (t.contains(QLatin1String("BLOB")) || t.isEmpty())
        return CatalogueSnapshot::AffinityBlob;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return CatalogueSnapshot::AffinityReal;
    return CatalogueSnapshot::AffinityNumeric;
}

bool isNumeric(Affinity a)
{
    return a == CatalogueSnapshot::AffinityInteger || a == CatalogueSnapshot::AffinityReal
            || a == CatalogueSnapshot::AffinityNumeric;
}

// What Qt's SQLite driver hands over tells the storage class: 64-bit
// integers, doubles, strings, byte arrays, and a null string for NULL.
Value storedValue(const QVariant &v)
{
    Value value;
    if (!v.isValid() || v.isNull())
        return value;
    switch (v.userType()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        value.storage = Value::Integer;
        value.integer = v.toLongLong();
        break;
    case QMetaType::Double:
        value.storage = Value::Real;
        value.real = v.toDouble();
        break;
    case QMetaType::QByteArray:
        value.storage = Value::Blob;
        value.bytes = v.toByteArray();
        break;
    default:
        value.storage = Value::Text;
        value.bytes = v.toString().toUtf8();
        break;
    }
    return value;
}

// Whether SQLite compares a stored value of this class under this affinity
// without converting it first, which is all the snapshot models. A numeric
// column holds text only where the text did not look like a number when it
// was stored, and a text column numbers only where its type was changed
// since; either makes the table answer by statement.
bool plainUnder(Affinity affinity, Value::Storage storage)
{
    if (storage == Value::Null || storage == Value::Blob)
        return true;
    if (isNumeric(affinity))
        return storage != Value::Text;
    if (affinity == CatalogueSnapshot::AffinityText)
        return storage == Value::Text;
    return true;
}

int storageRank(Value::Storage s)
{
    switch (s) {
    case Value::Integer:
    case Value::Real:
        return 1;
    case Value::Text:
        return 2;
    default:
        return 3;
    }
}

// SQLite's exact comparison of an integer with a double.
int compareIntReal(qint64 i, double r)
{
    if (r < -9223372036854775808.0)
        return 1;
    if (r >= 9223372036854775808.0)
        return -1;
    const qint64 y = qint64(r);
    if (i < y)
        return -1;
    if (i > y)
        return 1;
    const double s = double(i);
    if (s < r)
        return -1;
    if (s > r)
        return 1;
    return 0;
}

// Two non-NULL values: numbers before texts before blobs; numbers by value,
// texts by their UTF-8 bytes (the binary collation), blobs by their bytes.
int compare(const Value &a, const Value &b)
{
    const int ra = storageRank(a.storage);
    const int rb = storageRank(b.storage);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 1) {
        if (a.storage == Value::Integer && b.storage == Value::Integer)
            return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
        if (a.storage == Value::Real && b.storage == Value::Real)
            return a.real < b.real ? -1 : (a.real > b.real ? 1 : 0);
        if (a.storage == Value::Integer)
            return compareIntReal(a.integer, b.real);
        return -compareIntReal(b.integer, a.real);
    }
    const int common = qMin(a.bytes.size(), b.bytes.size());
    const int c = common ? std::memcmp(a.bytes.constData(), b.bytes.constData(), size_t(common)) : 0;
    if (c != 0)
        return c < 0 ? -1 : 1;
    return a.bytes.size() < b.bytes.size() ? -1 : (a.bytes.size() > b.bytes.size() ? 1 : 0);
}

// A literal of the statement (a number, or a text in double quotes) after
// the column's affinity is applied to it, as SQLite does before comparing a
// column with a literal. False when SQLite would convert it in a way the
// snapshot does not model.
bool literalFor(Affinity affinity, const Value &literal, Value *out)
{
    *out = literal;
    if (isNumeric(affinity) && literal.storage == Value::Text) {
        const QByteArray &t = literal.bytes;
        bool digitsOnly = !t.isEmpty() && t.size() <= 18;
        bool anyDigit = false;
        for (char c : t) {
            const bool digit = c >= '0' && c <= '9';
            digitsOnly = digitsOnly && digit;
            anyDigit = anyDigit || digit;
        }
        if (digitsOnly) {
            out->storage = Value::Integer;
            out->integer = t.toLongLong();
            out->bytes.clear();
            return true;
        }
        // A text without a digit can never read as a number and stays a text.
        return !anyDigit;
    }
    if (affinity == CatalogueSnapshot::AffinityText && literal.storage == Value::Integer) {
        out->storage = Value::Text;
        out->bytes = QByteArray::number(literal.integer);
    }
    return true;
}

Value integerLiteral(qint64 n)
{
    Value v;
    v.storage = Value::Integer;
    v.integer = n;
    return v;
}

Value textLiteral(const QString &text)
{
    Value v;
    v.storage = Value::Text;
    v.bytes = text.toUtf8();
    return v;
}

// Errors that say the statement itself is wrong for this catalogue (no such
// table or column): they recur, so the statement's answer is "nothing".
// Anything else (busy, locked, I/O) may pass, and nothing is kept.
bool lastingError(const QSqlQuery &query)
{
    return query.lastError().nativeErrorCode() == QLatin1String("1");
}

} // namespace

// ------------------------------------------------------------ loading

struct CatalogueSnapshot::Condition
{
    int column;
    bool atLeast; // >= rather than =
    Value operand;
};

namespace {

struct Schema
{
    QString type;
    QString sql;
    bool indexed = false;
};

} // namespace

bool CatalogueSnapshot::load()
{
    const QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    m_open = db.isValid() && db.isOpen();
    m_camera.name = QStringLiteral("camera");
    m_pd.name = QStringLiteral("pd");
    m_wire.name = QStringLiteral("wire");
    if (!m_open)
        return true;

    QSqlQuery query(db);
    query.setForwardOnly(true);

    if (!query.exec(QStringLiteral("PRAGMA encoding")) || !query.next())
        return false;
    m_utf8 = query.value(0).toString() == QLatin1String("UTF-8");

    // What the three names are in the main schema, and whether something in
    // the temporary schema would be found first.
    QHash<QString, Schema> schema;
    if (!query.exec(QStringLiteral("select type, name, tbl_name, sql from sqlite_master")))
        return false;
    while (query.next()) {
        const QString type = query.value(0).toString();
        const QString name = query.value(1).toString().toLower();
        const QString table = query.value(2).toString().toLower();
        if (type == QLatin1String("index"))
            schema[table].indexed = true;
        else if (type == QLatin1String("table") || type == QLatin1String("view")) {
            schema[name].type = type;
            schema[name].sql = query.value(3).toString();
        }
    }
    QSet<QString> shadowed;
    if (!query.exec(QStringLiteral("select name from sqlite_temp_master")))
        return false;
    while (query.next())
        shadowed << query.value(0).toString().toLower();

    for (Table *table : {&m_camera, &m_pd, &m_wire}) {
        if (!query.exec(QStringLiteral("select * from ") + table->name)) {
            if (!lastingError(query))
                return false;
            continue;
        }
        table->exists = true;
        table->record = query.record();
        const int columns = table->record.count();
        while (query.next()) {
            QVector<QVariant> row(columns);
            for (int c = 0; c < columns; ++c)
                row[c] = query.value(c);
            table->rows << row;
        }

        // A plain table, scanned in rowid order by any statement on it: no
        // index that the planner could walk instead, no collation other than
        // the binary one, the text in UTF-8 as compared byte by byte.
        const Schema s = schema.value(table->name);
        const QString sql = s.sql.toUpper();
        bool comparable = m_utf8 && s.type == QLatin1String("table") && !s.indexed && !shadowed.contains(table->name)
                && !sql.contains(QLatin1String("WITHOUT ROWID")) && !sql.contains(QLatin1String("COLLATE"))
                && !sql.startsWith(QLatin1String("CREATE VIRTUAL"));
        if (comparable) {
            if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table->name)))
                return false;
            while (query.next())
                table->affinities << affinityOf(query.value(2).toString());
            comparable = table->affinities.size() == columns;
        }
        for (int c = 0; comparable && c < columns; ++c) {
            // A column named like a number would take the place of the
            // statement's quoted numbers.
            const QString name = table->record.fieldName(c);
            bool digits = !name.isEmpty();
            for (QChar ch : name)
                digits = digits && ch.isDigit();
            comparable = !digits;
        }
        table->comparable = comparable;
        if (comparable) {
            table->plainColumns.fill(true, columns);
            table->values.reserve(table->rows.size());
            for (const QVector<QVariant> &row : qAsConst(table->rows)) {
                QVector<Value> values(columns);
                for (int c = 0; c < columns; ++c) {
                    values[c] = storedValue(row.at(c));
                    if (!plainUnder(table->affinities.at(c), values.at(c).storage))
                        table->plainColumns[c] = false;
                }
                table->values << values;
            }
        }
    }

    const auto texts = [](const Table &table, const QString &column) {
        QStringList out;
        const int c = table.column(column);
        for (const QVector<QVariant> &row : table.rows)
            out << (c >= 0 ? row.at(c) : QVariant()).toString();
        return out;
    };
    m_cameraModels = texts(m_camera, QStringLiteral("model"));
    m_wireModels = texts(m_wire, QStringLiteral("model"));

    // The enclosure list is the grouping statement's own answer (its order
    // is SQLite's sorting of the groups).
    if (query.exec(QStringLiteral("select boxtype from pd group by boxtype;"))) {
        const int c = query.record().indexOf(QStringLiteral("boxtype"));
        while (query.next())
            m_boxTypes << (c >= 0 ? query.value(c) : QVariant()).toString();
    } else if (!lastingError(query)) {
        return false;
    }
    return true;
}

// ------------------------------------------------------------ answers

bool CatalogueSnapshot::conditions(const PdCriteria &criteria, QVector<Condition> *out, bool *fails) const
{
    *fails = false;
    if (!m_pd.exists) {
        *fails = true;
        return true;
    }
    if (!m_pd.comparable)
        return false;
    if (criteria.boxTypeRequired) {
        // A text in double quotes that names a column is that column.
        const QString &text = criteria.boxType;
        if (m_pd.column(text) >= 0 || text.compare(QLatin1String("rowid"), Qt::CaseInsensitive) == 0
            || text.compare(QLatin1String("oid"), Qt::CaseInsensitive) == 0
            || text.compare(QLatin1String("_rowid_"), Qt::CaseInsensitive) == 0)
            return false;
    }
    struct Wanted {
        bool required;
        const char *column;
        bool atLeast;
        Value literal;
    };
    const Wanted wanted[] = {
        {true, "power_backup", false, integerLiteral(criteria.backup)},
        {criteria.slotsRequired, "camera_slots", true, textLiteral(QString::number(criteria.slotCount))},
        {criteria.boxTypeRequired, "boxtype", false, textLiteral(criteria.boxType)},
        {true, "power230", false, textLiteral(QLatin1String(criteria.mains ? "1" : "0"))},
        {criteria.loadRequired, "camera_total_power_max", true, textLiteral(QString::number(criteria.power))},
        {criteria.throughputRequired, "bitrate", true, textLiteral(QString::number(criteria.bitrate))},
    };
    out->clear();
    for (const Wanted &w : wanted) {
        if (!w.required)
            continue;
        const int c = m_pd.column(QLatin1String(w.column));
        if (c < 0) {
            *fails = true;
            return true;
        }
        Condition condition{c, w.atLeast, Value()};
        if (!m_pd.plainColumns.at(c) || !literalFor(m_pd.affinities.at(c), w.literal, &condition.operand))
            return false;
        *out << condition;
    }
    return true;
}

bool CatalogueSnapshot::rowMatches(int row, const QVector<Condition> &conditions) const
{
    const QVector<Value> &values = m_pd.values.at(row);
    for (const Condition &condition : conditions) {
        const Value &stored = values.at(condition.column);
        // NULL compares as unknown, which a WHERE clause takes as false.
        if (stored.storage == Value::Null)
            return false;
        const int c = compare(stored, condition.operand);
        if (condition.atLeast ? c < 0 : c != 0)
            return false;
    }
    return true;
}

bool CatalogueSnapshot::fittingModels(const PdCriteria &criteria, QStringList *names) const
{
    const auto cached = m_fitting.constFind(criteria);
    if (cached != m_fitting.constEnd()) {
        *names = cached.value();
        return true;
    }
    QVector<Condition> conds;
    bool fails = false;
    if (!conditions(criteria, &conds, &fails))
        return false;
    QStringList out;
    if (!fails) {
        const int name = m_pd.column(QStringLiteral("name"));
        for (int r = 0; r < m_pd.rows.size(); ++r) {
            if (rowMatches(r, conds))
                out << (name >= 0 ? m_pd.rows.at(r).at(name) : QVariant()).toString();
        }
    }
    m_fitting.insert(criteria, out);
    *names = out;
    return true;
}

bool CatalogueSnapshot::finds(const PdCriteria &criteria, bool *found) const
{
    // A row returned is a name returned (an empty one without a name column).
    QStringList names;
    if (!fittingModels(criteria, &names))
        return false;
    *found = !names.isEmpty();
    return true;
}

// The rows whose column equals a bound text. A bound text has no affinity;
// against a text column it compares as text, against a column without
// affinity only with stored texts. A numeric column would try to read the
// text as a number, which the snapshot leaves to SQLite.
bool CatalogueSnapshot::rowsNamed(const Table &table, const QString &column, const QString &text,
                                  QVector<int> *rows, bool *fails) const
{
    rows->clear();
    *fails = !table.exists;
    if (*fails)
        return true;
    if (!table.comparable)
        return false;
    const int c = table.column(column);
    if (c < 0) {
        *fails = true;
        return true;
    }
    if (isNumeric(table.affinities.at(c)) || !table.plainColumns.at(c))
        return false;
    const Value wanted = textLiteral(text);
    for (int r = 0; r < table.values.size(); ++r) {
        const Value &stored = table.values.at(r).at(c);
        if (stored.storage != Value::Null && compare(stored, wanted) == 0)
            *rows << r;
    }
    return true;
}

bool CatalogueSnapshot::pdBitrates(const QString &name, QList<int> *bitrates) const
{
    QVector<int> rows;
    bool fails = false;
    if (!rowsNamed(m_pd, QStringLiteral("name"), name, &rows, &fails))
        return false;
    bitrates->clear();
    const int c = m_pd.column(QStringLiteral("bitrate"));
    for (int r : qAsConst(rows))
        *bitrates << (c >= 0 ? m_pd.rows.at(r).at(c) : QVariant()).toInt();
    return true;
}

bool CatalogueSnapshot::cameraByModel(const QString &model, const QVector<QVariant> **row) const
{
    QVector<int> rows;
    bool fails = false;
    if (!rowsNamed(m_camera, QStringLiteral("model"), model, &rows, &fails))
        return false;
    *row = rows.isEmpty() ? nullptr : &m_camera.rows.at(rows.first());
    return true;
}

// ------------------------------------------------------------ following the connection

const CatalogueSnapshot *CatalogueSnapshot::current()
{
    if (s_passDepth > 0 && s_passChecked)
        return s_passAnswer;

    const CatalogueSnapshot *answer = nullptr;
    const QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    if (!db.isValid() || !db.isOpen()) {
        // Every statement fails: the snapshot of no catalogue says so.
        if (s_stale || !s_snapshot || s_snapshot->catalogueOpen()) {
            s_snapshot.reset(new CatalogueSnapshot);
            s_snapshot->load();
            s_snapshot->m_generation = ++s_lastGeneration;
            s_handle = nullptr;
            s_stale = false;
            ++s_loads;
        }
        answer = s_snapshot.get();
    } else if (sqlite3 *handle = sqliteHandle(db)) {
        // Inside a transaction the connection sees rows no commit has made
        // yet, and a rollback takes them back without a trace: the
        // statements answer until it ends.
        if (sqlite3_get_autocommit(handle)) {
            const bool sameConnection = carriesMark(handle) && handle == s_handle;
            const QByteArray header = fileHeader(handle);
            if (!isWal(header)) {
                if (!s_stale && s_snapshot && s_snapshot->catalogueOpen() && sameConnection
                    && dataVersion(handle) == s_dataVersion && header == s_header) {
                    answer = s_snapshot.get();
                } else {
                    // Loaded between two looks at the file that agree, so a
                    // commit of another program in between is not missed.
                    for (int attempt = 0; attempt < 3 && !answer; ++attempt) {
                        const unsigned versionBefore = dataVersion(handle);
                        const QByteArray headerBefore = fileHeader(handle);
                        std::unique_ptr<CatalogueSnapshot> fresh(new CatalogueSnapshot);
                        if (!fresh->load())
                            break;
                        const unsigned versionAfter = dataVersion(handle);
                        const QByteArray headerAfter = fileHeader(handle);
                        if (versionAfter != versionBefore || headerAfter != headerBefore)
                            continue;
                        fresh->m_generation = ++s_lastGeneration;
                        s_snapshot = std::move(fresh);
                        s_handle = handle;
                        s_dataVersion = versionAfter;
                        s_header = headerAfter;
                        s_stale = false;
                        ++s_loads;
                        qCDebug(MoxLog::catalogue) << "catalogue snapshot" << s_snapshot->generation() << "loaded";
                        answer = s_snapshot.get();
                    }
                    if (!answer)
                        s_stale = true;
                }
            }
        }
    }

    if (s_passDepth > 0) {
        s_passChecked = true;
        s_passAnswer = answer;
    }
    return answer;
}

void CatalogueSnapshot::invalidate()
{
    s_stale = true;
    s_passChecked = false;
}

int CatalogueSnapshot::loadCount()
{
    return s_loads;
}

CatalogueSnapshot::Pass::Pass()
{
    ++s_passDepth;
}

CatalogueSnapshot::Pass::~Pass()
{
    if (--s_passDepth == 0) {
        s_passChecked = false;
        s_passAnswer = nullptr;
    }
}
