#include "propertyrecorder.h"

#include <QJsonDocument>
#include <QtTest>

#include <functional>

typedef std::function<QtnProperty*(QObject*)> Factory;
Q_DECLARE_METATYPE(Factory)

namespace
{
template <typename P>
Factory make(const typename P::ValueType& value)
{
    return [value](QObject* parent) -> QtnProperty* {
        P* property = new P(parent);
        property->setValue(value);
        return property;
    };
}

const QtnEnumInfo& powerEnum()
{
    static const QtnEnumInfo info(QStringLiteral("POWER"), {QtnEnumValueInfo(1, QStringLiteral("no")),
                                                           QtnEnumValueInfo(2, QStringLiteral("yes"))});
    return info;
}

template <typename P>
P* add(QtnPropertySet* parent, const char* name, QtnPropertyID id)
{
    P* property = new P(parent);
    property->setName(QString::fromLatin1(name));
    property->setId(id);
    return property;
}
} // namespace

// A set of mixed types with a sub-set, a property kept out of streams and
// one without an id.
struct MixedSet
{
    QtnPropertySet top;
    QtnPropertyInt* count;
    QtnPropertyQString* label;
    QtnPropertyEnum* power;
    QtnPropertyQColor* colour;
    QtnPropertySet* advanced;
    QtnPropertyDouble* vin;
    QtnPropertyQRect* frame;
    QtnPropertyBool* hidden;
    QtnPropertyUInt* noId;

    explicit MixedSet(int maxCount = 10)
    {
        top.setName(QStringLiteral("Top"));
        count = add<QtnPropertyInt>(&top, "Count", 1);
        count->setMaxValue(maxCount);
        count->setMinValue(0);
        label = add<QtnPropertyQString>(&top, "Label", 2);
        power = add<QtnPropertyEnum>(&top, "Power", 3);
        power->setEnumInfo(&powerEnum());
        power->setValue(1);
        colour = add<QtnPropertyQColor>(&top, "Colour", 4);
        advanced = add<QtnPropertySet>(&top, "Advanced", 5);
        vin = add<QtnPropertyDouble>(advanced, "Vin", 1);
        frame = add<QtnPropertyQRect>(advanced, "Frame", 2);
        hidden = add<QtnPropertyBool>(&top, "Hidden", 6);
        hidden->addState(QtnPropertyStateNonSerialized);
        noId = add<QtnPropertyUInt>(&top, "NoId", -1);
    }

    void fill()
    {
        count->setValue(7);
        label->setValue(QStringLiteral("Kamera 1"));
        power->setValue(2);
        colour->setValue(QColor(1, 2, 3, 4));
        vin->setValue(47.25);
        frame->setValue(QRect(-1, 2, 3, 4));
        hidden->setValue(true);
        noId->setValue(9);
    }
};

QByteArray saveSet(const QtnPropertySet& set)
{
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    if (!set.save(stream))
        return QByteArray();
    return data;
}

bool loadSet(QtnPropertySet& set, const QByteArray& data)
{
    QDataStream stream(data);
    return set.load(stream);
}

class TestPropertyStreams : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void binaryRoundTrip()
    {
        MixedSet source;
        source.fill();
        source.label->addState(QtnPropertyStateImmutable);
        const QByteArray data = saveSet(source.top);
        QVERIFY(!data.isEmpty());

        // Envelope: magic 6532 (0x1984), version 1, body length.
        QCOMPARE(data.left(3), QByteArray::fromHex("198401"));
        QDataStream header(data);
        header.skipRawData(3);
        quint32 length = 0;
        header >> length;
        QCOMPARE(int(length), data.size() - 7);

        MixedSet target;
        QVERIFY(loadSet(target.top, data));
        QString text;
        QVERIFY(target.top.toStr(text));
        QCOMPARE(text, QStringLiteral("Count = 7\r\nLabel = Kamera 1\r\nPower = POWER::yes\r\nColour = #04010203\r\n"
                                      "Advanced.Vin = 47.25\r\nAdvanced.Frame = QRect(-1, 2, 3, 4)\r\n"
                                      "Hidden = False\r\nNoId = 0\r\n"));
        // Kept out of the stream above: the non-serialized one and the one without id.
        QCOMPARE(int(target.label->stateLocal()), int(QtnPropertyStateImmutable | QtnPropertyStateCollapsed));

        QDataStream skipping(data);
        QVERIFY(QtnPropertyBase::skipLoad(skipping));
        QVERIFY(skipping.atEnd());
    }

    void loadedValuesSkipChecks()
    {
        MixedSet source(20);
        source.count->setValue(11);
        const QByteArray data = saveSet(source.top);

        MixedSet target;
        PropertyRecorder recorder;
        recorder.watch(&target.top);
        QVERIFY(loadSet(target.top, data));
        QCOMPARE(target.count->value(), 11); // above the target's own maximum of 10
        QCOMPARE(recorder.lines.mid(0, 2), (QStringList{"will Count Top 2 11", "did Count Top 2"}));
        // Every loaded value is announced, equal or not; states arrive silently.
        QCOMPARE(recorder.lines.size(), 2 * 6);
    }

    void unknownIdsAreSkipped()
    {
        MixedSet source;
        source.fill();
        QtnPropertyQString* extra = add<QtnPropertyQString>(&source.top, "Extra", 99);
        extra->setValue(QStringLiteral("from a newer file"));
        source.top.removeChildProperty(source.colour);
        source.top.addChildProperty(source.colour); // now after the unknown entry
        source.hidden->removeState(QtnPropertyStateNonSerialized);
        const QByteArray data = saveSet(source.top);

        MixedSet target;
        QVERIFY(loadSet(target.top, data));
        QCOMPARE(target.colour->value(), QColor(1, 2, 3, 4));
        QCOMPARE(target.count->value(), 7);
        QCOMPARE(target.hidden->value(), false); // non-serialized on the reading side
    }

    void brokenEnvelope_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<char>("byte");

        QTest::newRow("magic") << 0 << char(0x20);
        QTest::newRow("version") << 2 << char(2);
        QTest::newRow("base body version") << 7 << char(0x7f);
        QTest::newRow("set body version") << 17 << char(2);
    }

    void brokenEnvelope()
    {
        QFETCH(int, offset);
        QFETCH(char, byte);
        MixedSet source;
        source.fill();
        QByteArray data = saveSet(source.top);
        data[offset] = byte;

        MixedSet target;
        QVERIFY(!loadSet(target.top, data));
        if (offset < 3)
        {
            QDataStream stream(data);
            QVERIFY(!QtnPropertyBase::skipLoad(stream));
        }
    }

    void everyTruncationFails()
    {
        MixedSet source;
        source.fill();
        const QByteArray data = saveSet(source.top);
        for (int size = 0; size < data.size(); ++size)
        {
            MixedSet target;
            if (loadSet(target.top, data.left(size)))
                QFAIL(qPrintable(QStringLiteral("a stream cut to %1 bytes loaded").arg(size)));
            QDataStream stream(data.left(size));
            QVERIFY(!QtnPropertyBase::skipLoad(stream));
        }

        QByteArray unused;
        QDataStream broken(&unused, QIODevice::ReadOnly);
        broken.setStatus(QDataStream::ReadCorruptData);
        QVERIFY(!source.top.save(broken));
        QVERIFY(!source.top.load(broken));
    }

    void corruptedBytesDoNotCrash()
    {
        MixedSet source;
        source.fill();
        const QByteArray data = saveSet(source.top);
        int loaded = 0;
        for (int offset = 0; offset < data.size(); ++offset)
        {
            QByteArray damaged = data;
            damaged[offset] = char(damaged[offset] ^ 0xff);
            MixedSet target;
            loaded += loadSet(target.top, damaged) ? 1 : 0;
        }
        // Value bytes may be flipped harmlessly, framing bytes may not.
        QVERIFY(loaded < data.size());
    }

    // One field of a saved value is damaged; the load must refuse what its
    // type cannot hold, log why, and leave the value and the signals alone.
    // Offsets count from the first value byte (after the 17 bytes of
    // envelope and state block), negative ones from the end.
    void damagedValues_data()
    {
        QTest::addColumn<Factory>("factory");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("patch");
        QTest::addColumn<bool>("loads");

        const Factory penStyle = make<QtnPropertyQPenStyle>(Qt::SolidLine);
        QTest::newRow("pen style outside") << penStyle << 0 << QByteArray::fromHex("00000009") << false;
        QTest::newRow("pen style custom dash") << penStyle << 0 << QByteArray::fromHex("00000006") << true;
        const Factory brushStyle = make<QtnPropertyQBrushStyle>(Qt::SolidPattern);
        QTest::newRow("brush style outside") << brushStyle << 0 << QByteArray::fromHex("00000013") << false;
        QTest::newRow("brush style texture") << brushStyle << 0 << QByteArray::fromHex("00000018") << true;

        // Pen: style word, cosmetic, width, brush (style, colour, matrix),
        // miter limit, dash count at 103.
        const Factory pen = make<QtnPropertyQPen>(QPen(Qt::red));
        QTest::newRow("pen dash, round cap, bevel") << pen << 0 << QByteArray::fromHex("0062") << true;
        QTest::newRow("pen style nibble 15") << pen << 0 << QByteArray::fromHex("000f") << false;
        QTest::newRow("pen cap bits 0x30") << pen << 0 << QByteArray::fromHex("0031") << false;
        QTest::newRow("pen negative width") << pen << 3 << QByteArray::fromHex("bff0000000000000") << false;
        QTest::newRow("pen texture brush") << pen << 11 << QByteArray::fromHex("18") << false;
        QTest::newRow("pen dash count 2^31") << pen << 103 << QByteArray::fromHex("7fffffff") << false;

        // Font "Sans": family, null style name, point size at 16; weight 19
        // bytes and the family list count 4 bytes before the end.
        const Factory font = make<QtnPropertyQFont>(QFont(QStringLiteral("Sans"), 10));
        QTest::newRow("font bold") << font << -19 << QByteArray::fromHex("4b") << true;
        QTest::newRow("font weight 200") << font << -19 << QByteArray::fromHex("c8") << false;
        QTest::newRow("font point size NaN") << font << 16 << QByteArray::fromHex("7ff8000000000000") << false;
        QTest::newRow("font family count 2^31") << font << -4 << QByteArray::fromHex("7fffffff") << false;

        // Colour: spec, alpha, then hue for HSV.
        const Factory hsv = make<QtnPropertyQColor>(QColor::fromHsv(100, 20, 30));
        QTest::newRow("colour spec 9") << hsv << 0 << QByteArray::fromHex("09") << false;
        QTest::newRow("colour hue 400 degrees") << hsv << 3 << QByteArray::fromHex("9c40") << false;
        QTest::newRow("rect wider than int") << make<QtnPropertyQRect>(QRect(0, 0, 1, 1)) << 0
                                             << QByteArray::fromHex("80000000000000007fffffff") << false;
        QTest::newRow("double NaN") << make<QtnPropertyDouble>(1.5) << 0 << QByteArray::fromHex("7ff8000000000000")
                                    << false;
    }

    void damagedValues()
    {
        QFETCH(Factory, factory);
        QFETCH(int, offset);
        QFETCH(QByteArray, patch);
        QFETCH(bool, loads);

        QObject owner;
        QByteArray data;
        {
            QDataStream out(&data, QIODevice::WriteOnly);
            QVERIFY(factory(&owner)->save(out));
        }
        data.replace(offset >= 0 ? 17 + offset : data.size() + offset, patch.size(), patch);

        QtnProperty* target = factory(&owner);
        QVariant before;
        QVERIFY(target->toVariant(before));
        int changes = 0;
        connect(target, &QtnPropertyBase::propertyDidChange, this, [&changes] { ++changes; });
        if (!loads)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Cannot load property \\w+<> from stream: ")));

        QDataStream in(data);
        QCOMPARE(target->load(in), loads);
        QCOMPARE(changes, loads ? 1 : 0);
        QVariant after;
        QVERIFY(target->toVariant(after));
        if (!loads)
            QCOMPARE(after, before);
    }

    // The text form of a set itself is checked through the round trip above;
    // here a child deep down that cannot give its text fails the whole set.
    void textFormFailsWithANestedChild()
    {
        MixedSet set;
        new QtnPropertyEnum(set.advanced);
        set.advanced->childProperties().last()->setName(QStringLiteral("Bare"));
        QTest::ignoreMessage(QtDebugMsg, "Cannot convert property QtnPropertyEnum<Bare> to string");
        QString failed;
        QVERIFY(!set.top.toStr(failed));
    }

    void textParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("after");

        const QString untouched = QStringLiteral("0||0");
        QTest::newRow("good lines") << "Count = 7\r\nAdvanced.Vin = 2.5\r\nLabel=\" x \"\r\n" << true << QStringList()
                                    << "7| x |2.5";
        QTest::newRow("nested name found recursively") << "Frame = QRect(1, 2, 3, 4)" << true << QStringList()
                                                       << untouched;
        QTest::newRow("bad line between good ones")
            << "Count = 7\nno equals sign\nLabel=x" << true << QStringList{"Cannot parse string: no equals sign"}
            << "7|x|0";
        QTest::newRow("unknown path only") << "Missing = 4" << false
                                           << QStringList{"Ambiguous property path: Missing"} << untouched;
        QTest::newRow("ambiguous name") << "Vin = 3\nCount=2" << true << QStringList{"Ambiguous property path: Vin"}
                                        << "2||0";
        QTest::newRow("bad value") << "Count = seven\r\nLabel = y\r\n" << true
                                   << QStringList{"Cannot convert property QtnPropertyInt<Count> from string \"seven\""}
                                   << "0|y|0";
        QTest::newRow("out of range still parses") << "Count = 11" << true << QStringList() << untouched;
        QTest::newRow("empty text") << "" << true << QStringList() << untouched;
        QTest::newRow("spaces only") << "   \n" << true << QStringList() << untouched;
        QTest::newRow("spaces between") << "Count = 2\n   \nLabel = q" << true << QStringList{"Cannot parse string:    "}
                                        << "2|q|0";
        QTest::newRow("path with empty head") << ".Vin = 3" << false << QStringList{"Ambiguous property path: .Vin"}
                                              << untouched;
    }

    void textParse()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, log);

        MixedSet set;
        add<QtnPropertyDouble>(&set.top, "Vin", 7); // makes "Vin" alone ambiguous
        for (const QString& line : log)
            QTest::ignoreMessage(QtDebugMsg, qPrintable(line));

        QTEST(set.top.fromStr(text), "result");
        const QString after = QStringLiteral("%1|%2|%3").arg(set.count->value()).arg(set.label->value()).arg(set.vin->value());
        QTEST(after, "after");
    }

    void jsonRoundTrip()
    {
        MixedSet source;
        source.fill();
        QJsonObject json;
        QVERIFY(source.top.toJson(json));

        const QJsonObject expected = QJsonDocument::fromJson(QByteArray("{ "
            "'Count': {'value': '7'}, 'Label': {'value': 'Kamera 1'}, 'Power': {'value': 'POWER::yes'}, "
            "'Colour': {'value': '#04010203'}, "
            "'Advanced': {'Vin': {'value': '47.25'}, 'Frame': {'value': 'QRect(-1, 2, 3, 4)'}}, "
            "'Hidden': {'value': 'True'}, 'NoId': {'value': '9'}}").replace('\'', '"')).object();
        QCOMPARE(json, expected);

        MixedSet target;
        QVERIFY(target.top.fromJson(json));
        QCOMPARE(target.frame->value(), QRect(-1, 2, 3, 4));
        QCOMPARE(target.colour->value(), QColor(1, 2, 3, 4));
        QCOMPARE(target.power->value(), 2);
        QVERIFY(target.top.fromJson(QJsonObject()));

        // A property without text is left out and reported.
        QtnPropertyEnum* bare = new QtnPropertyEnum(&source.top);
        bare->setName(QStringLiteral("Bare"));
        QTest::ignoreMessage(QtDebugMsg, "Cannot convert property \"Bare\" to QString");
        QJsonObject partial;
        QVERIFY(!source.top.toJson(partial));
        QVERIFY(!partial.contains(QStringLiteral("Bare")));
        QVERIFY(partial.contains(QStringLiteral("Count")));
    }

    void jsonErrors_data()
    {
        QTest::addColumn<QByteArray>("json"); // ' stands for "
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("after");

        QTest::newRow("unknown key, others applied")
            << QByteArray("{'Count': {'value': '4'}, 'Nope': {'value': '1'}, 'Label': {'value': 'z'}}") << false
            << QStringList{"Cannot find property Nope"} << "4|z|0";
        QTest::newRow("not an object") << QByteArray("{'Count': 4, 'Label': {'value': 'z'}}") << false
                                       << QStringList{"Json object expected"} << "0|z|0";
        QTest::newRow("no value member") << QByteArray("{'Count': {'val': '4'}}") << false
                                         << QStringList{"Cannot parse 'value' attribute"} << "0||0";
        QTest::newRow("bad value") << QByteArray("{'Count': {'value': 'four'}}") << false
                                   << QStringList{"Cannot convert value 'four' to property 'Count'"} << "0||0";
        QTest::newRow("nested failure")
            << QByteArray("{'Advanced': {'Vin': {'value': 'x'}, 'Frame': {'value': 'QRect(1, 1, 1, 1)'}}}") << false
            << QStringList{"Cannot convert value 'x' to property 'Vin'", "Cannot load 'Advanced' from JSON"}
            << "0||0";
        QTest::newRow("dotted key") << QByteArray("{'Advanced.Vin': {'value': '1.5'}}") << true << QStringList()
                                    << "0||1.5";
        QTest::newRow("nested name needs its path") << QByteArray("{'Vin': {'value': '1.5'}}") << false
                                                    << QStringList{"Cannot find property Vin"} << "0||0";
    }

    void jsonErrors()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, log);

        MixedSet set;
        for (const QString& line : log)
            QTest::ignoreMessage(QtDebugMsg, qPrintable(QString(line).replace('\'', '"')));
        QTEST(set.top.fromJson(QJsonDocument::fromJson(json.replace('\'', '"')).object()), "result");
        const QString after = QStringLiteral("%1|%2|%3").arg(set.count->value()).arg(set.label->value()).arg(set.vin->value());
        QTEST(after, "after");
    }
};

QTEST_GUILESS_MAIN(TestPropertyStreams)
#include "tst_propertystreams.moc"
