#include "property/core/qtnpropertyset.h"
#include "property/core/qtnproperty.h"
#include "property/core/qtnpropertylog.h"

#include <QDataStream>
#include <QDebug>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>

const QtnPropertySet* QtnPropertySet::s_changeLog[QtnPropertySet::ChangeLogSize] = {};
quint64 QtnPropertySet::s_changeLogEnd = 0;
quint64 QtnPropertySet::s_changeLogMark = 0;

namespace
{
const quint8 qtnSetBodyVersion = 1;
const quint32 qtnSetBodyTerminator = 0xFFFFFFFF;

void qtnLog(const QString& message)
{
    qCDebug(qtnPropertyLog).noquote() << message;
}
} // namespace

QtnPropertySet::QtnPropertySet(QObject* parent)
    : QtnPropertyBase(parent),
      m_ignoreChildPropertyChanges(false),
      m_revision(nextRevision())
{
}

QtnPropertySet::~QtnPropertySet()
{
    // Children owned elsewhere outlive us; they must stop calling our relays.
    for (QtnPropertyBase* child : qAsConst(m_childProperties))
        child->leaveSet(this);
    m_childProperties.clear();
}

QList<QtnPropertyBase*> QtnPropertySet::findChildProperties(QString name, Qt::FindChildOptions options)
{
    QList<QtnPropertyBase*> result;
    name = name.trimmed();

    const int pointIndex = name.indexOf(QLatin1Char('.'));
    if (pointIndex >= 0)
    {
        const QString head = name.left(pointIndex);
        const QString rest = name.mid(pointIndex + 1);
        if (head.isEmpty() || rest.isEmpty())
            return result;

        const QList<QtnPropertyBase*> heads = findChildProperties(head, options);
        for (QtnPropertyBase* headProperty : heads)
        {
            QtnPropertySet* headSet = headProperty->asPropertySet();
            if (headSet)
                result.append(headSet->findChildProperties(rest, options));
        }
        return result;
    }

    for (QtnPropertyBase* child : qAsConst(m_childProperties))
    {
        if (child->objectName() == name)
            result.append(child);
    }

    if (options & Qt::FindChildrenRecursively)
    {
        for (QtnPropertyBase* child : qAsConst(m_childProperties))
        {
            QtnPropertySet* childSet = child->asPropertySet();
            if (childSet)
                childSet->findChildPropertiesRecursive(name, result);
        }
    }

    return result;
}

void QtnPropertySet::findChildPropertiesRecursive(const QString& name, QList<QtnPropertyBase*>& result)
{
    for (QtnPropertyBase* child : qAsConst(m_childProperties))
    {
        if (child->objectName() == name)
            result.append(child);

        QtnPropertySet* childSet = child->asPropertySet();
        if (childSet)
            childSet->findChildPropertiesRecursive(name, result);
    }
}

QtnPropertyBase* QtnPropertySet::findChildProperty(QtnPropertyID id)
{
    for (QtnPropertyBase* child : qAsConst(m_childProperties))
    {
        if (child->id() == id)
            return child;
    }
    return nullptr;
}

void QtnPropertySet::clearChildProperties()
{
    if (m_childProperties.isEmpty())
        return;

    for (QtnPropertyBase* child : qAsConst(m_childProperties))
        child->leaveSet(this);

    emitWillChange(QtnPropertyChangeReasonChildPropertyRemove, nullptr);
    m_childProperties.clear();
    emitDidChange(QtnPropertyChangeReasonChildPropertyRemove);
}

bool QtnPropertySet::addChildProperty(QtnPropertyBase* childProperty, bool moveOwnership)
{
    Q_ASSERT(childProperty);
    if (!childProperty)
        return false;

    emitWillChange(QtnPropertyChangeReasonChildPropertyAdd, QtnPropertyValuePtr(childProperty));
    m_childProperties.append(childProperty);
    childProperty->joinSet(this);
    if (moveOwnership)
        childProperty->setParent(this);
    emitDidChange(QtnPropertyChangeReasonChildPropertyAdd);

    // The newcomer takes our state, but listeners hear of it as an addition only.
    const bool wasIgnoring = m_ignoreChildPropertyChanges;
    m_ignoreChildPropertyChanges = true;
    childProperty->setStateInherited(state(), false);
    m_ignoreChildPropertyChanges = wasIgnoring;
    return true;
}

bool QtnPropertySet::removeChildProperty(QtnPropertyBase* childProperty)
{
    Q_ASSERT(childProperty);
    if (!childProperty)
        return false;

    if (!m_childProperties.contains(childProperty))
        return false;

    emitWillChange(QtnPropertyChangeReasonChildPropertyRemove, QtnPropertyValuePtr(childProperty));
    childProperty->leaveSet(this);
    m_childProperties.removeAll(childProperty);
    if (childProperty->parent() == this)
        childProperty->setParent(nullptr);
    emitDidChange(QtnPropertyChangeReasonChildPropertyRemove);
    return true;
}

QtnPropertySet* QtnPropertySet::createNew(QObject* parentForNew) const
{
    return createNewImpl(parentForNew);
}

QtnPropertySet* QtnPropertySet::createCopy(QObject* parentForCopy) const
{
    return createCopyImpl(parentForCopy);
}

bool QtnPropertySet::copyValues(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask)
{
    return copyValuesImpl(propertySetCopyFrom, ignoreMask);
}

QtnPropertySet* QtnPropertySet::createNewImpl(QObject* parentForNew) const
{
    Q_UNUSED(parentForNew);
    return nullptr;
}

QtnPropertySet* QtnPropertySet::createCopyImpl(QObject* parentForCopy) const
{
    Q_UNUSED(parentForCopy);
    return nullptr;
}

bool QtnPropertySet::copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask)
{
    Q_UNUSED(propertySetCopyFrom);
    Q_UNUSED(ignoreMask);
    return false;
}

void QtnPropertySet::updateStateInherited(bool force)
{
    // Each child announces its own inherited-state change; relaying those too
    // would flood the top set with one pair per level per descendant.
    const bool wasIgnoring = m_ignoreChildPropertyChanges;
    m_ignoreChildPropertyChanges = true;
    const QtnPropertyState stateToPush = state();
    for (QtnPropertyBase* child : qAsConst(m_childProperties))
        child->setStateInherited(stateToPush, force);
    m_ignoreChildPropertyChanges = wasIgnoring;
}

void QtnPropertySet::childPropertyWillChange(const QtnPropertyBase* changedProperty,
                                             const QtnPropertyBase* firedProperty,
                                             QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue)
{
    Q_UNUSED(firedProperty);
    if (!m_ignoreChildPropertyChanges)
        announceWillChange(changedProperty, this, reason, newValue);
}

void QtnPropertySet::childPropertyDidChange(const QtnPropertyBase* changedProperty,
                                            const QtnPropertyBase* firedProperty,
                                            QtnPropertyChangeReason reason)
{
    Q_UNUSED(firedProperty);
    if (!m_ignoreChildPropertyChanges)
        announceDidChange(changedProperty, this, reason);
}

bool QtnPropertySet::saveImpl(QDataStream& stream) const
{
    if (!QtnPropertyBase::saveImpl(stream))
        return false;

    if (stream.status() != QDataStream::Ok)
        return false;

    stream << qtnSetBodyVersion;
    for (const QtnPropertyBase* child : m_childProperties)
    {
        if (child->state() & QtnPropertyStateNonSerialized)
            continue;
        if (child->id() == QtnPropertyIDInvalid)
            continue;

        stream << quint32(child->id());
        if (!child->save(stream))
            return false;
    }
    stream << qtnSetBodyTerminator;
    return stream.status() == QDataStream::Ok;
}

bool QtnPropertySet::loadImpl(QDataStream& stream)
{
    if (!QtnPropertyBase::loadImpl(stream))
        return false;

    if (stream.status() != QDataStream::Ok)
        return false;

    quint8 version = 0;
    stream >> version;
    if (stream.status() != QDataStream::Ok || version != qtnSetBodyVersion)
        return false;

    for (;;)
    {
        quint32 id = 0;
        stream >> id;
        if (stream.status() != QDataStream::Ok)
            return false;
        if (id == qtnSetBodyTerminator)
            break;

        // Ids unknown to this set (written by a newer or other set) are skipped.
        QtnPropertyBase* child = findChildProperty(QtnPropertyID(id));
        const bool loadable = child && !(child->state() & QtnPropertyStateNonSerialized);
        const bool ok = loadable ? child->load(stream) : QtnPropertyBase::skipLoad(stream);
        if (!ok)
            return false;
    }

    return stream.status() == QDataStream::Ok;
}

bool QtnPropertySet::toStrImpl(QString& str) const
{
    return toStrWithPrefix(str, QString());
}

bool QtnPropertySet::toStrWithPrefix(QString& str, const QString& prefix) const
{
    static const QString lineEnd = QStringLiteral("\r\n");
    for (const QtnPropertyBase* child : m_childProperties)
    {
        const QtnPropertySet* childSet = child->asPropertySet();
        if (childSet)
        {
            if (!childSet->toStrWithPrefix(str, QStringLiteral("%1%2.").arg(prefix, childSet->name())))
                return false;
            continue;
        }

        QString valueText;
        if (!child->toStr(valueText))
        {
            qtnLog(QStringLiteral("Cannot convert property %1<%2> to string")
                       .arg(QString::fromLatin1(child->metaObject()->className()), child->name()));
            return false;
        }
        str.append(QStringLiteral("%1%2 = %3%4").arg(prefix, child->name(), valueText, lineEnd));
    }
    return true;
}

bool QtnPropertySet::fromStrImpl(const QString& str)
{
    const QStringList lines = str.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return true;

    static const QRegularExpression linePattern(QStringLiteral("^\\s*([^=]+)=(.*)$"));
    bool anyApplied = false;
    for (const QString& line : lines)
    {
        const QRegularExpressionMatch match = linePattern.match(line);
        if (!match.hasMatch())
        {
            qtnLog(QStringLiteral("Cannot parse string: ") + line);
            continue;
        }

        const QString path = match.captured(1).trimmed();
        const QString valueText = match.captured(2);
        const QList<QtnPropertyBase*> found = findChildProperties(path, Qt::FindChildrenRecursively);
        if (found.size() != 1)
        {
            qtnLog(QStringLiteral("Ambiguous property path: ") + path);
            continue;
        }

        QtnPropertyBase* target = found.first();
        if (!target->fromStr(valueText))
        {
            qtnLog(QStringLiteral("Cannot convert property %1<%2> from string \"%3\"")
                       .arg(QString::fromLatin1(target->metaObject()->className()), target->name(),
                            valueText.trimmed()));
            continue;
        }
        anyApplied = true;
    }
    return anyApplied;
}

bool QtnPropertySet::toJson(QJsonObject& jsonObject) const
{
    bool allWritten = true;
    for (const QtnPropertyBase* child : m_childProperties)
    {
        const QtnPropertySet* childSet = child->asPropertySet();
        if (childSet)
        {
            QJsonObject childObject;
            if (childSet->toJson(childObject))
            {
                jsonObject.insert(child->name(), childObject);
            }
            else
            {
                qtnLog(QStringLiteral("Cannot save \"%1\" to JSON").arg(child->name()));
                allWritten = false;
            }
            continue;
        }

        QString valueText;
        if (!child->toStr(valueText))
        {
            qtnLog(QStringLiteral("Cannot convert property \"%1\" to QString").arg(child->name()));
            allWritten = false;
            continue;
        }
        QJsonObject valueObject;
        valueObject.insert(QStringLiteral("value"), valueText);
        jsonObject.insert(child->name(), valueObject);
    }
    return allWritten;
}

bool QtnPropertySet::fromJson(const QJsonObject& jsonObject)
{
    if (jsonObject.isEmpty())
        return true;

    bool noError = true;
    for (auto it = jsonObject.constBegin(); it != jsonObject.constEnd(); ++it)
    {
        if (!it.value().isObject())
        {
            qtnLog(QStringLiteral("Json object expected"));
            noError = false;
            continue;
        }

        const QList<QtnPropertyBase*> found = findChildProperties(it.key(), Qt::FindDirectChildrenOnly);
        if (found.isEmpty())
        {
            qtnLog(QStringLiteral("Cannot find property ") + it.key());
            noError = false;
            continue;
        }
        if (found.size() > 1)
        {
            qtnLog(QStringLiteral("Ambiguous property ") + it.key());
            noError = false;
            continue;
        }

        QtnPropertyBase* target = found.first();
        const QJsonObject memberObject = it.value().toObject();
        QtnPropertySet* targetSet = target->asPropertySet();
        if (targetSet)
        {
            if (!targetSet->fromJson(memberObject))
            {
                qtnLog(QStringLiteral("Cannot load \"%1\" from JSON").arg(target->name()));
                noError = false;
            }
            continue;
        }

        const QJsonValue valueMember = memberObject.value(QStringLiteral("value"));
        if (!valueMember.isString())
        {
            qtnLog(QStringLiteral("Cannot parse \"value\" attribute"));
            noError = false;
            continue;
        }

        const QString valueText = valueMember.toString();
        if (!target->fromStr(valueText))
        {
            qCDebug(qtnPropertyLog) << "Cannot convert value" << valueText << "to property" << target->name();
            noError = false;
        }
    }
    return noError;
}
