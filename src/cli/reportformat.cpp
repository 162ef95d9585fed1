#include "cli/reportformat.h"

#include "print/csvwriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace {

// Locations are free text and can be long; the table keeps them to this many
// characters (JSON and CSV carry them whole).
const int kLocationWidth = 28;
const QString kNone = QStringLiteral("–");

// Volts to the millivolt: closer than any meter on site, and free of the
// binary noise of the calculation's doubles.
double rounded(double value)
{
    return std::round(value * 1000.0) / 1000.0;
}

QString volts(double value)
{
    return QString::number(value, 'f', 2);
}

QString clipped(const QString &text, int width)
{
    return text.length() <= width ? text : text.left(width - 1) + QChar(0x2026);
}

// A text table: columns sized to their widest cell, numbers right-aligned.
class TextTable
{
public:
    struct Column {
        QString title;
        bool right;
    };
    explicit TextTable(const QVector<Column> &columns) : m_columns(columns) {}

    void addRow(const QStringList &cells) { m_rows << cells; }

    QString text() const
    {
        QVector<int> widths(m_columns.size());
        for (int c = 0; c < m_columns.size(); ++c) {
            widths[c] = m_columns.at(c).title.length();
            for (const QStringList &row : m_rows)
                widths[c] = qMax(widths[c], row.value(c).length());
        }
        QString out = line(titles(), widths);
        for (const QStringList &row : m_rows)
            out += line(row, widths);
        return out;
    }

private:
    QStringList titles() const
    {
        QStringList list;
        for (const Column &column : m_columns)
            list << column.title;
        return list;
    }

    QString line(const QStringList &cells, const QVector<int> &widths) const
    {
        QStringList padded;
        for (int c = 0; c < m_columns.size(); ++c) {
            const QString cell = cells.value(c);
            padded << (m_columns.at(c).right ? cell.rightJustified(widths.at(c))
                                             : cell.leftJustified(widths.at(c)));
        }
        // The last column is left-aligned text: no padding trails the line.
        QString text = QStringLiteral("  ") + padded.join(QStringLiteral("  "));
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return text + QLatin1Char('\n');
    }

    QVector<Column> m_columns;
    QList<QStringList> m_rows;
};

// 1 problem, 2-4 problemy (but 12-14 problemów), 5 problemów.
QString problemCount(int n)
{
    const int tens = n % 100;
    const int ones = n % 10;
    const char *word = n == 1 ? "problem"
                       : (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14)) ? "problemy"
                                                                               : "problemów";
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(word);
}

QString orNone(const QString &text)
{
    return text.isEmpty() ? kNone : text;
}

QJsonValue textOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

} // namespace

QStringList ReportFormat::pointFlags(const ProjectReport::Point &point)
{
    QStringList flags;
    if (point.model.isEmpty())
        flags << QStringLiteral("noModel");
    if (point.lowVoltage)
        flags << QStringLiteral("lowVoltage");
    if (point.longCable)
        flags << QStringLiteral("longCable");
    if (point.checkError)
        flags << QStringLiteral("checkError");
    return flags;
}

QStringList ReportFormat::cameraFlags(const ProjectReport::Camera &camera)
{
    QStringList flags;
    if (camera.modelMissing)
        flags << QStringLiteral("modelMissing");
    if (camera.lowVoltage)
        flags << QStringLiteral("lowVoltage");
    if (camera.longCable)
        flags << QStringLiteral("longCable");
    if (camera.checkError)
        flags << QStringLiteral("checkError");
    return flags;
}

QString ReportFormat::text(const ProjectReport &report)
{
    QString out;
    out += tr("MOX NORVANTE 1.0.22 – raport projektu") + QLatin1Char('\n');
    const QList<QPair<QString, QString>> head = {
        {tr("Projekt:"), report.name},          {tr("Adres:"), report.address},
        {tr("Uwagi:"), report.comments},        {tr("Utworzono:"), report.createDate},
        {tr("Plik:"), report.file},
        {tr("Katalog:"), report.catalogue.isEmpty() ? tr("brak (modele „Nie określono”)") : report.catalogue},
    };
    for (const auto &field : head)
        out += field.first.leftJustified(11) + field.second + QLatin1Char('\n');

    out += QLatin1Char('\n') + tr("Punkty dystrybucyjne: %1").arg(report.points.size()) + QLatin1Char('\n');
    QVector<TextTable::Column> pointColumns = {
        {tr("PD"), false},       {tr("Lokalizacja"), false}, {tr("Model"), false},
        {tr("Sloty"), true},     {tr("Obc.[W]"), true},      {tr("kbit/s"), true},
        {tr("Vout[V]"), true},   {tr("Vin[V]"), true},       {tr("Akumulator"), false},
    };
    const bool storage = std::any_of(report.points.cbegin(), report.points.cend(),
                                     [](const ProjectReport::Point &p) { return p.storageTB >= 0; });
    if (storage)
        pointColumns << TextTable::Column{tr("Dysk[TB]"), true};
    pointColumns << TextTable::Column{tr("Uwagi"), false};
    TextTable points(pointColumns);
    for (const ProjectReport::Point &p : report.points) {
        QStringList notes;
        if (p.nvr)
            notes << tr("NVR");
        if (p.pc)
            notes << tr("PC");
        if (!p.feeder.isEmpty())
            notes << tr("z %1").arg(p.feeder);
        if (p.lowVoltage)
            notes << tr("<40V");
        if (p.longCable)
            notes << tr(">100m");
        QStringList row = {
            p.label,
            clipped(p.location, kLocationWidth),
            orNone(p.model),
            QStringLiteral("%1/%2").arg(p.slotsUsed).arg(p.slotsAvailable < 0 ? kNone
                                                                             : QString::number(p.slotsAvailable)),
            QString::number(p.loadW),
            QString::number(p.bitrateKbps),
            QString::number(p.voutV),
            p.mains ? tr("sieć") : volts(p.vinV),
            p.backup ? tr("%1 Ah, %2 h").arg(p.batteryAh).arg(p.backupHours) : kNone,
        };
        if (storage)
            row << (p.storageTB >= 0 ? QString::number(p.storageTB, 'f', 2) : QString());
        row << notes.join(QStringLiteral(", "));
        points.addRow(row);
    }
    out += points.text();

    out += QLatin1Char('\n') + tr("Kamery: %1").arg(report.cameras.size()) + QLatin1Char('\n');
    TextTable cameras({
        {tr("K"), false},         {tr("Lokalizacja"), false},      {tr("Model"), false},
        {tr("PD"), false},        {tr("Moc[W]"), true},            {tr("kbit/s"), true},
        {tr("Kabel[m]"), true},   {tr("Vin[V]"), true},            {tr("Spadek[V]"), true},
        {tr("Uwagi"), false},
    });
    for (const ProjectReport::Camera &c : report.cameras) {
        QStringList notes;
        if (c.lowVoltage)
            notes << tr("<40V");
        if (c.longCable)
            notes << tr(">100m");
        if (c.modelMissing)
            notes << tr("brak modelu");
        cameras.addRow({
            c.label,
            clipped(c.location, kLocationWidth),
            orNone(c.model),
            orNone(c.point),
            QString::number(c.powerW),
            QString::number(c.bitrateKbps),
            c.cableM < 0 ? kNone : QString::number(c.cableM),
            volts(c.vinV),
            volts(c.voltageLossV),
            notes.join(QStringLiteral(", ")),
        });
    }
    out += cameras.text();

    if (report.checked) {
        out += QLatin1Char('\n') + tr("Kontrola PoE: %1").arg(report.findings.size()) + QLatin1Char('\n');
        TextTable findings({{tr("Waga"), false}, {tr("Element"), false}, {tr("Opis"), false}});
        for (const ProjectReport::Finding &f : report.findings) {
            const QString severity = f.severity == ProjectReport::Finding::Error     ? tr("błąd")
                                     : f.severity == ProjectReport::Finding::Warning ? tr("ostrzeżenie")
                                                                                     : tr("informacja");
            findings.addRow({severity, f.element, f.text});
        }
        out += findings.text();
    }

    out += QLatin1Char('\n');
    if (!report.hasProblems())
        return out + tr("Wynik: bez problemów") + QLatin1Char('\n');
    out += tr("Wynik: %1").arg(problemCount(report.problems.size())) + QLatin1Char('\n');
    TextTable problems({{tr("Element"), false}, {tr("Problem"), false}});
    for (const ProjectReport::Problem &p : report.problems)
        problems.addRow({p.element, p.text});
    // The table's title row is left out: the heading above says it all.
    const QString table = problems.text();
    return out + table.mid(table.indexOf(QLatin1Char('\n')) + 1);
}

QByteArray ReportFormat::json(const ProjectReport &report, int exitStatus)
{
    QJsonObject root;
    root.insert(QStringLiteral("version"), QStringLiteral("1.0.22"));
    root.insert(QStringLiteral("file"), report.file);
    root.insert(QStringLiteral("catalogue"), textOrNull(report.catalogue));
    root.insert(QStringLiteral("project"), QJsonObject{
            {QStringLiteral("name"), report.name},
            {QStringLiteral("address"), report.address},
            {QStringLiteral("comments"), report.comments},
            {QStringLiteral("created"), report.createDate},
    });

    QJsonArray points;
    for (const ProjectReport::Point &p : report.points) {
        QJsonObject o{
            {QStringLiteral("label"), p.label},
            {QStringLiteral("location"), p.location},
            {QStringLiteral("model"), textOrNull(p.model)},
            {QStringLiteral("boxType"), textOrNull(p.boxType)},
            {QStringLiteral("mains"), p.mains},
            {QStringLiteral("feeder"), textOrNull(p.feeder)},
            {QStringLiteral("nvr"), p.nvr},
            {QStringLiteral("pc"), p.pc},
            {QStringLiteral("slotsUsed"), p.slotsUsed},
            {QStringLiteral("slotsAvailable"),
             p.slotsAvailable < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(p.slotsAvailable)},
            {QStringLiteral("loadW"), p.loadW},
            {QStringLiteral("bitrateKbps"), p.bitrateKbps},
            {QStringLiteral("voutV"), int(p.voutV)},
            {QStringLiteral("vinV"), p.mains ? QJsonValue(QJsonValue::Null) : QJsonValue(rounded(p.vinV))},
            {QStringLiteral("voltageLossV"), rounded(p.voltageLossV)},
            {QStringLiteral("battery"),
             p.backup ? QJsonValue(QJsonObject{{QStringLiteral("capacityAh"), int(p.batteryAh)},
                                               {QStringLiteral("backupHours"), int(p.backupHours)}})
                      : QJsonValue(QJsonValue::Null)},
            {QStringLiteral("flags"), QJsonArray::fromStringList(pointFlags(p))},
        };
        if (p.storageTB >= 0)
            o.insert(QStringLiteral("storageTB"), rounded(p.storageTB));
        points.append(o);
    }
    root.insert(QStringLiteral("points"), points);

    QJsonArray cameras;
    for (const ProjectReport::Camera &c : report.cameras) {
        cameras.append(QJsonObject{
            {QStringLiteral("label"), c.label},
            {QStringLiteral("location"), c.location},
            {QStringLiteral("model"), textOrNull(c.model)},
            {QStringLiteral("point"), textOrNull(c.point)},
            {QStringLiteral("powerW"), int(c.powerW)},
            {QStringLiteral("bitrateKbps"), c.bitrateKbps},
            {QStringLiteral("cableM"), c.cableM < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(c.cableM)},
            {QStringLiteral("vinV"), rounded(c.vinV)},
            {QStringLiteral("voltageLossV"), rounded(c.voltageLossV)},
            {QStringLiteral("flags"), QJsonArray::fromStringList(cameraFlags(c))},
        });
    }
    root.insert(QStringLiteral("cameras"), cameras);

    if (report.checked) {
        QJsonArray findings;
        for (const ProjectReport::Finding &f : report.findings)
            findings.append(QJsonObject{{QStringLiteral("severity"), ProjectReport::severityKey(f.severity)},
                                        {QStringLiteral("element"), textOrNull(f.element)},
                                        {QStringLiteral("text"), f.text}});
        root.insert(QStringLiteral("findings"), findings);
    }

    QJsonArray problems;
    for (const ProjectReport::Problem &p : report.problems)
        problems.append(QJsonObject{{QStringLiteral("kind"), ProjectReport::kindKey(p.kind)},
                                    {QStringLiteral("element"), p.element},
                                    {QStringLiteral("text"), p.text}});
    root.insert(QStringLiteral("problems"), problems);
    root.insert(QStringLiteral("exitStatus"), exitStatus);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray ReportFormat::csv(const ProjectReport &report)
{
    CsvWriter writer;
    writer.addRow({QStringLiteral("kind"), QStringLiteral("label"), QStringLiteral("location"),
                   QStringLiteral("model"), QStringLiteral("point"), QStringLiteral("slots_used"),
                   QStringLiteral("slots_available"), QStringLiteral("power_w"), QStringLiteral("bitrate_kbps"),
                   QStringLiteral("cable_m"), QStringLiteral("vout_v"), QStringLiteral("vin_v"),
                   QStringLiteral("voltage_loss_v"), QStringLiteral("battery_ah"), QStringLiteral("backup_h"),
                   QStringLiteral("storage_tb"), QStringLiteral("flags")});
    auto number = [](double value) { return QString::number(rounded(value)); };
    for (const ProjectReport::Point &p : report.points) {
        QStringList flags = pointFlags(p);
        if (p.mains)
            flags.prepend(QStringLiteral("mains"));
        if (p.pc)
            flags.prepend(QStringLiteral("pc"));
        if (p.nvr)
            flags.prepend(QStringLiteral("nvr"));
        writer.addRow({QStringLiteral("pd"), p.label, p.location, p.model, p.feeder,
                       QString::number(p.slotsUsed),
                       p.slotsAvailable < 0 ? QString() : QString::number(p.slotsAvailable),
                       QString::number(p.loadW), QString::number(p.bitrateKbps), QString(),
                       QString::number(p.voutV), p.mains ? QString() : number(p.vinV), number(p.voltageLossV),
                       p.backup ? QString::number(p.batteryAh) : QString(),
                       p.backup ? QString::number(p.backupHours) : QString(),
                       p.storageTB >= 0 ? number(p.storageTB) : QString(), flags.join(QLatin1Char(' '))});
    }
    for (const ProjectReport::Camera &c : report.cameras) {
        writer.addRow({QStringLiteral("camera"), c.label, c.location, c.model, c.point, QString(), QString(),
                       QString::number(c.powerW), QString::number(c.bitrateKbps),
                       c.cableM < 0 ? QString() : QString::number(c.cableM), QString(), number(c.vinV),
                       number(c.voltageLossV), QString(), QString(), QString(),
                       cameraFlags(c).join(QLatin1Char(' '))});
    }
    return writer.bytes();
}
