#include "catalogue/cameracsvimport.h"

#include "log/moxlog.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

bool CameraCsvImport::parseLine(const QString &line, QString *model, int *power, int *bitrate)
{
    // No quoting: a comma always separates, and empty fields count, so
    // "A,5,1000,extra" has four fields and ",5,1000" three.
    const QStringList fields = line.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (fields.size() != 3)
        return false;
    // toInt gives 0 for anything that is not a whole decimal number ("7W").
    *model = fields.at(0);
    *power = fields.at(1).toInt(nullptr, 10);
    *bitrate = fields.at(2).toInt(nullptr, 10);
    return true;
}

CameraCsvImport::Result CameraCsvImport::importFile(const QString &path)
{
    Result result;
    QFile file(path);
    // Not opened in text mode: QTextStream::readLine ends a line at a line
    // feed and drops one carriage return before it, and nothing else.
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(MoxLog::catalogue) << "import kamer: nie można otworzyć" << path << file.errorString();
        return result;
    }
    result.fileOpened = true;

    // Never let the look-up open the connection: with no catalogue file that
    // would create an empty one beside the editor.
    QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    result.catalogueOpen = db.isOpen();
    const bool inTransaction = result.catalogueOpen && db.transaction();

    QSqlQuery query(db);
    const bool deleted = query.exec(QStringLiteral("delete from camera"));
    if (deleted)
        qCDebug(MoxLog::catalogue) << "usunięcie danych ";
    if (!QFile::exists(path))
        qCDebug(MoxLog::catalogue) << "nie działą";

    const bool prepared =
        query.prepare(QStringLiteral("insert into camera (model, power, bitrate) values (:name, :power, :bitrate)"));
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++result.lines;
        qCDebug(MoxLog::catalogue).noquote() << line.split(QLatin1Char(','), Qt::KeepEmptyParts).join(QStringLiteral(", "));
        QString model;
        int power = 0;
        int bitrate = 0;
        if (!parseLine(line, &model, &power, &bitrate)) {
            ++result.skipped;
            continue;
        }
        ++result.accepted;
        // A catalogue that refused the delete (read-only) would refuse the
        // rows as well; the transaction is rolled back below.
        if (!prepared || (inTransaction && !deleted))
            continue;
        query.bindValue(QStringLiteral(":name"), model);
        query.bindValue(QStringLiteral(":power"), power);
        query.bindValue(QStringLiteral(":bitrate"), bitrate);
        // A refused row is left out; the rest of the file still goes in.
        query.exec();
    }
    file.close();
    query.finish();

    if (inTransaction) {
        if (deleted && db.commit()) {
            result.committed = true;
        } else {
            qCWarning(MoxLog::catalogue) << "import kamer: zapis katalogu nieudany" << db.lastError().text();
            db.rollback();
            result.rolledBack = true;
        }
    } else if (result.catalogueOpen) {
        // The driver refused a transaction: the statements above went to the
        // catalogue one by one.
        result.committed = true;
    }
    return result;
}
