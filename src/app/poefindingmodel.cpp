#include "app/poefindingmodel.h"

#include <QColor>
#include <QPair>
#include <QRegularExpression>
#include <QVector>

PoeFindingModel::PoeFindingModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void PoeFindingModel::setFindings(const QVector<PoeFinding> &findings)
{
    if (findings == m_findings)
        return;
    // The same remarks on the same elements with other figures (an edit
    // moved a voltage): the rows stay where they are, and so do the view's
    // sorting and its current row.
    if (findings.size() == m_findings.size()) {
        bool sameRows = true;
        QVector<QPair<int, int>> runs;
        for (int row = 0; row < findings.size() && sameRows; ++row) {
            const PoeFinding &now = findings.at(row);
            const PoeFinding &before = m_findings.at(row);
            sameRows = now.severity == before.severity && now.element == before.element
                       && now.elementName == before.elementName;
            if (now.text == before.text)
                continue;
            if (!runs.isEmpty() && runs.last().second == row - 1)
                runs.last().second = row;
            else
                runs.append({row, row});
        }
        if (sameRows) {
            m_findings = findings;
            // Each run of changed rows on its own, so that a view paints
            // only those it shows; scattered over many runs, as one.
            const int MaxRuns = 16;
            if (runs.size() > MaxRuns)
                runs = {{runs.first().first, runs.last().second}};
            for (const QPair<int, int> &run : qAsConst(runs)) {
                // Only the remark and the tool tips changed. Naming the
                // roles keeps the sorting proxy from sorting again unless
                // the remarks are its column, and the header from measuring
                // the other columns' contents again, row by row.
                emit dataChanged(index(run.first, SeverityColumn), index(run.second, ElementColumn),
                                 {Qt::ToolTipRole});
                emit dataChanged(index(run.first, TextColumn), index(run.second, TextColumn),
                                 {Qt::DisplayRole, Qt::ToolTipRole, SortRole});
            }
            return;
        }
    }
    beginResetModel();
    m_findings = findings;
    endResetModel();
}

int PoeFindingModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_findings.size();
}

int PoeFindingModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QColor PoeFindingModel::background(PoeFinding::Severity severity)
{
    switch (severity) {
    case PoeFinding::Severity::Error:
        return QColor(0xf8, 0xd0, 0xd0);
    case PoeFinding::Severity::Warning:
        return QColor(0xfd, 0xe4, 0xc4);
    case PoeFinding::Severity::Info:
        break;
    }
    return QColor(0xe2, 0xeb, 0xf8);
}

namespace {

// Numbers padded, so that text order is number order: "K 9" < "K 10".
QString naturalKey(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    QString key;
    int last = 0;
    QRegularExpressionMatchIterator it = digits.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        key += text.mid(last, match.capturedStart() - last);
        key += match.captured().rightJustified(10, QLatin1Char('0'));
        last = match.capturedEnd();
    }
    return key + text.mid(last);
}

} // namespace

QVariant PoeFindingModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_findings.size())
        return QVariant();
    const PoeFinding &finding = m_findings.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == SeverityColumn)
            return PoeFinding::severityName(finding.severity);
        if (index.column() == ElementColumn)
            return finding.elementName;
        return finding.remark();
    case Qt::ToolTipRole:
        return finding.text;
    case Qt::BackgroundRole:
        return background(finding.severity);
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    case SortRole:
        // Ties keep the order of the check, which follows the drawing.
        if (index.column() == SeverityColumn)
            return int(finding.severity) * 1000000 + index.row();
        if (index.column() == ElementColumn)
            return naturalKey(finding.elementName);
        return finding.remark();
    case ElementRole:
        return QVariant::fromValue(static_cast<void *>(finding.element));
    default:
        break;
    }
    return QVariant();
}

QVariant PoeFindingModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case SeverityColumn:
        return tr("Waga");
    case ElementColumn:
        return tr("Element");
    case TextColumn:
        return tr("Uwaga");
    default:
        break;
    }
    return QVariant();
}
