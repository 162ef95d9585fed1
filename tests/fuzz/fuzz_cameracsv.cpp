// The camera CSV import on arbitrary bytes, against a temporary catalogue.
// The oracle applies the line rules on its own: a line ends at a line feed
// (one carriage return before it dropped), a comma always separates, empty
// fields count, only lines of exactly three fields become cameras, with the
// model unchanged and power and bitrate whole decimal numbers or else 0. The
// camera table must then hold exactly those rows, in file order.
#include "fuzzsupport.h"
#include "testcatalogue.h"
#include "testhelpers.h"

#include "catalogue/cameracsvimport.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <limits>

namespace {

int wholeOrZero(const QString &field)
{
    const QString text = field.trimmed();
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        negative = text.at(i++) == QLatin1Char('-');
    if (i == text.size())
        return 0;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const ushort c = text.at(i).unicode();
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return 0;
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return 0;
    return int(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    static QTemporaryDir *folder = new QTemporaryDir;
    static TestCatalogue *catalogue = [] {
        auto *empty = new TestCatalogue;
        if (!empty->create({}, {}, {}))
            fuzz::fail(QStringLiteral("the temporary catalogue does not build: ") + empty->lastError());
        // Every import commits; waiting for the disk would be all a run does.
        QSqlQuery(empty->database()).exec(QStringLiteral("PRAGMA synchronous = OFF"));
        return empty;
    }();

    const QByteArray bytes = fuzz::bytes(data, size);
    const QString path = folder->filePath(QStringLiteral("kamery.csv"));
    if (!tst::writeBytes(path, bytes))
        fuzz::fail(QStringLiteral("cannot write the CSV file"));

    // The text as the platform's default encoding gives it.
    QByteArray copy = bytes;
    QTextStream decoder(&copy, QIODevice::ReadOnly);
    QStringList lines = decoder.readAll().split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    QStringList expected;
    int accepted = 0;
    for (QString line : qAsConst(lines)) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() != 3)
            continue;
        ++accepted;
        expected << fields.at(0) + QLatin1Char('|') + QString::number(wholeOrZero(fields.at(1))) + QLatin1Char('|')
                        + QString::number(wholeOrZero(fields.at(2)));
    }

    const CameraCsvImport::Result result = CameraCsvImport::importFile(path);
    if (!result.fileOpened || !result.committed)
        fuzz::fail(QStringLiteral("the import did not commit"));
    // The line count is not compared: a character cut short at the end of
    // the file may count as one more (empty, skipped) line.
    if (result.accepted != accepted || result.lines != result.accepted + result.skipped)
        fuzz::fail(QStringLiteral("counted %1 lines, %2 accepted, %3 skipped; the rules accept %4")
                       .arg(result.lines).arg(result.accepted).arg(result.skipped).arg(accepted));
    const QStringList rows = catalogue->rows(QStringLiteral("camera"));
    if (rows != expected)
        fuzz::fail(QStringLiteral("the camera table holds\n%1\ninstead of\n%2")
                       .arg(rows.join(QLatin1Char('\n')), expected.join(QLatin1Char('\n'))));
    return 0;
}
