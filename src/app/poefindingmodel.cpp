#include "app/poefindingmodel.h"

#include <QColor>
#include <QRegularExpression>

PoeFindingModel::PoeFindingModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void PoeFindingModel::setFindings(const QVector<PoeFinding> &findings)
{
    if (findings == m_findings)
        return;
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

// The remark without the element name in front, which has a column of its own.
QString remark(const PoeFinding &finding)
{
    const QString prefix = finding.elementName + QStringLiteral(": ");
    if (!finding.elementName.isEmpty() && finding.text.startsWith(prefix))
        return finding.text.mid(prefix.size());
    return finding.text;
}

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
        return remark(finding);
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
        return remark(finding);
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
