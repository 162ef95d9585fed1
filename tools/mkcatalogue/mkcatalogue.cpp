// mkcatalogue SQL-FILE DB-FILE
// Builds the product catalogue from its readable SQL text. The database is
// written to a temporary name and renamed at the end, so a failed build never
// leaves a half-filled catalogue beside the editor.
#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

#include "catalogue/sqlscript.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkcatalogue SQL-FILE DB-FILE\n");
        return 2;
    }
    QFile sqlFile(args.at(1));
    if (!sqlFile.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "mkcatalogue: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    QTextStream in(&sqlFile);
    in.setCodec("UTF-8");
    const QStringList statements = SqlScript::statements(in.readAll());

    const QString target = args.at(2);
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mkcatalogue"));
        db.setDatabaseName(temporary);
        if (!db.open()) {
            std::fprintf(stderr, "mkcatalogue: %s\n", qPrintable(db.lastError().text()));
            return 1;
        }
        db.transaction();
        QSqlQuery query(db);
        for (const QString &statement : statements) {
            if (!query.exec(statement)) {
                std::fprintf(stderr, "mkcatalogue: %s\n  in: %s\n", qPrintable(query.lastError().text()),
                             qPrintable(statement.left(200)));
                ok = false;
                break;
            }
        }
        ok = ok && db.commit();
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mkcatalogue"));
    if (!ok) {
        QFile::remove(temporary);
        return 1;
    }
    QFile::remove(target);
    if (!QFile::rename(temporary, target)) {
        std::fprintf(stderr, "mkcatalogue: cannot write %s\n", qPrintable(target));
        return 1;
    }
    return 0;
}
