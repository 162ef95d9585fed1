#include "colourenum.h"
#include "property/core/qtnpropertycore.h"

#include <QtTest>

#include <functional>

typedef std::function<QtnProperty*(QObject*)> Factory;
Q_DECLARE_METATYPE(Factory)

namespace
{
using tst::colourEnum;

template <typename P>
Factory make(typename P::ValueType value)
{
    return [value](QObject* parent) -> QtnProperty* {
        P* property = new P(parent);
        property->setValue(value);
        return property;
    };
}

template <typename P>
Factory makeEnum(qint32 value)
{
    return [value](QObject* parent) -> QtnProperty* {
        P* property = new P(parent);
        property->setEnumInfo(&colourEnum());
        property->setValue(value);
        return property;
    };
}

Factory makeRangedInt(qint32 value, qint32 minValue, qint32 maxValue)
{
    return [=](QObject* parent) -> QtnProperty* {
        QtnPropertyInt* property = new QtnPropertyInt(parent);
        property->setValue(value);
        property->setMaxValue(maxValue);
        property->setMinValue(minValue);
        return property;
    };
}

QPen makePen(const QColor& colour, Qt::PenStyle style, int width, Qt::PenCapStyle cap, Qt::PenJoinStyle join)
{
    QPen pen(colour);
    pen.setStyle(style);
    pen.setWidth(width);
    pen.setCapStyle(cap);
    pen.setJoinStyle(join);
    return pen;
}
} // namespace

class TestPropertyText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Texts that no parse below produces as its "after" text.
    void toStr_data()
    {
        QTest::addColumn<Factory>("factory");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text");

        QTest::newRow("int") << make<QtnPropertyInt>(-2147483647 - 1) << true << "-2147483648";
        QTest::newRow("float, 6 digits") << make<QtnPropertyFloat>(1.0f / 3.0f) << true << "0.333333";
        QTest::newRow("float, large") << make<QtnPropertyFloat>(1234567.0f) << true << "1.23457e+06";
        QTest::newRow("double, 10 digits") << make<QtnPropertyDouble>(2.0 / 3.0) << true << "0.6666666667";
        QTest::newRow("double, whole") << make<QtnPropertyDouble>(48.0) << true << "48";
        QTest::newRow("string") << make<QtnPropertyQString>(QStringLiteral(" a \"b\" ")) << true << " a \"b\" ";
        QTest::newRow("enum without info") << make<QtnPropertyEnum>(0) << false << "";
        QTest::newRow("pen custom dash") << make<QtnPropertyQPen>(makePen(Qt::blue, Qt::CustomDashLine, 3, Qt::FlatCap,
                                                                          Qt::MiterJoin))
                                         << false << "";
        QTest::newRow("brush texture") << make<QtnPropertyQBrushStyle>(Qt::TexturePattern) << true << "TexturePattern";
        QTest::newRow("brush dense7") << make<QtnPropertyQBrushStyle>(Qt::Dense7Pattern) << true << "Dense7Pattern";
        QTest::newRow("rect wider than int") << make<QtnPropertyQRect>(QRect(QPoint(-2147483647 - 1, 0), QPoint(2147483647, 0)))
                                             << false << "";
    }

    void toStr()
    {
        QFETCH(Factory, factory);
        QObject owner;
        QtnProperty* property = factory(&owner);
        QString text;
        QTEST(property->toStr(text), "ok");
        QTEST(text, "text");
    }

    void fromStr_data()
    {
        QTest::addColumn<Factory>("factory");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("after");

        QTest::newRow("bool lower") << make<QtnPropertyBool>(false) << "true" << true << "True";
        QTest::newRow("bool padded upper") << make<QtnPropertyBool>(true) << "  FALSE " << true << "False";
        QTest::newRow("bool yes") << make<QtnPropertyBool>(false) << "yes" << false << "False";

        QTest::newRow("int") << make<QtnPropertyInt>(0) << " -17 " << true << "-17";
        QTest::newRow("int trailing junk") << make<QtnPropertyInt>(3) << "12abc" << false << "3";
        QTest::newRow("int hex") << make<QtnPropertyInt>(3) << "0x10" << false << "3";
        QTest::newRow("int overflow") << make<QtnPropertyInt>(3) << "2147483648" << false << "3";
        QTest::newRow("int out of range parses") << makeRangedInt(3, 0, 10) << "11" << true << "3";

        QTest::newRow("uint max") << make<QtnPropertyUInt>(0) << "4294967295" << true << "4294967295";
        QTest::newRow("uint negative") << make<QtnPropertyUInt>(7) << "-1" << false << "7";

        QTest::newRow("float exponent") << make<QtnPropertyFloat>(0) << "-2.5e3" << true << "-2500";
        QTest::newRow("float words") << make<QtnPropertyFloat>(2) << "two" << false << "2";
        QTest::newRow("double") << make<QtnPropertyDouble>(0) << "0.01" << true << "0.01";
        QTest::newRow("double comma") << make<QtnPropertyDouble>(1) << "0,5" << false << "1";

        QTest::newRow("string quoted") << make<QtnPropertyQString>(QString()) << "\" spaced \"" << true << " spaced ";
        QTest::newRow("string single quote char") << make<QtnPropertyQString>(QString()) << "\"" << true << "\"";
        QTest::newRow("string half quoted") << make<QtnPropertyQString>(QString()) << "\"abc" << true << "\"abc";
        QTest::newRow("string trimmed") << make<QtnPropertyQString>(QString()) << "  Nazwa kamery  " << true
                                        << "Nazwa kamery";

        QTest::newRow("enum qualified") << makeEnum<QtnPropertyEnum>(1) << "color::green" << true << "COLOR::GREEN";
        QTest::newRow("enum bare") << makeEnum<QtnPropertyEnum>(1) << "blue" << true << "COLOR::BLUE";
        QTest::newRow("enum second list") << makeEnum<QtnPropertyEnum>(1) << "Custom" << true << "COLOR::CUSTOM";
        QTest::newRow("enum other enumeration") << makeEnum<QtnPropertyEnum>(1) << "POWER::GREEN" << false
                                                << "COLOR::RED";
        QTest::newRow("enum unknown") << makeEnum<QtnPropertyEnum>(1) << "PURPLE" << false << "COLOR::RED";
        QTest::newRow("enum triple colon") << makeEnum<QtnPropertyEnum>(1) << "COLOR:::GREEN" << false << "COLOR::RED";

        QTest::newRow("flags zero") << makeEnum<QtnPropertyEnumFlags>(5) << "0" << true << "0";
        QTest::newRow("flags list") << makeEnum<QtnPropertyEnumFlags>(0) << "COLOR::RED | blue|custom" << true
                                    << "COLOR::RED|COLOR::BLUE|COLOR::CUSTOM";
        QTest::newRow("flags unknown first") << makeEnum<QtnPropertyEnumFlags>(2) << "PURPLE|RED" << false
                                             << "COLOR::GREEN";
        QTest::newRow("flags unknown last") << makeEnum<QtnPropertyEnumFlags>(2) << "RED|PURPLE" << false
                                            << "COLOR::GREEN";
        QTest::newRow("flags without info") << make<QtnPropertyEnumFlags>(0) << "0" << false << "0";

        QTest::newRow("colour rgb") << make<QtnPropertyQColor>(Qt::black) << "#ff0000" << true << "#ff0000";
        QTest::newRow("colour argb") << make<QtnPropertyQColor>(Qt::black) << "#80ff0000" << true << "#80ff0000";
        QTest::newRow("colour name") << make<QtnPropertyQColor>(Qt::black) << "red" << true << "#ff0000";
        QTest::newRow("colour nonsense") << make<QtnPropertyQColor>(Qt::black) << "notacolour" << false << "#000000";
        QTest::newRow("colour short hex") << make<QtnPropertyQColor>(Qt::black) << "#12345" << false << "#000000";

        const QString pen = QStringLiteral("#0000ff, Qt::DashLine, 3, Qt::RoundCap, Qt::RoundJoin");
        const Factory defaultPen = make<QtnPropertyQPen>(QPen());
        const QString defaultPenText = QStringLiteral("#000000, Qt::SolidLine, 1, Qt::SquareCap, Qt::BevelJoin");
        QTest::newRow("pen") << defaultPen << pen << true << pen;
        QTest::newRow("pen bare names") << defaultPen << "red,dotline,0,flatcap,svgmiterjoin" << true
                                        << "#ff0000, Qt::DotLine, 0, Qt::FlatCap, Qt::SvgMiterJoin";
        QTest::newRow("pen four parts") << defaultPen << "#0000ff, Qt::DashLine, 3, Qt::RoundCap" << false
                                        << defaultPenText;
        QTest::newRow("pen bad width") << defaultPen << "#0000ff, Qt::DashLine, 3.5, Qt::RoundCap, Qt::RoundJoin"
                                       << false << defaultPenText;
        QTest::newRow("pen custom dash") << defaultPen << "#0000ff, CustomDashLine, 3, RoundCap, RoundJoin" << false
                                         << defaultPenText;
        QTest::newRow("pen cap as join") << defaultPen << "#0000ff, DashLine, 3, RoundJoin, RoundJoin" << false
                                         << defaultPenText;
        QTest::newRow("pen negative width") << defaultPen << "#0000ff, DashLine, -3, RoundCap, RoundJoin" << false
                                            << defaultPenText;
        QTest::newRow("pen bad colour") << defaultPen << "blau, DashLine, 3, RoundCap, RoundJoin" << false
                                        << defaultPenText;

        QTest::newRow("pen style custom") << make<QtnPropertyQPenStyle>(Qt::SolidLine) << "CUSTOMDASHLINE" << true
                                          << "CustomDashLine";
        QTest::newRow("pen style qualified") << make<QtnPropertyQPenStyle>(Qt::SolidLine) << "Qt::DotLine" << false
                                             << "SolidLine";
        QTest::newRow("brush solid") << make<QtnPropertyQBrushStyle>(Qt::NoBrush) << "solid" << true << "Solid";
        QTest::newRow("brush toolkit name refused") << make<QtnPropertyQBrushStyle>(Qt::NoBrush) << "SolidPattern"
                                                    << false << "NoBrush";
        QTest::newRow("brush gradient") << make<QtnPropertyQBrushStyle>(Qt::NoBrush) << "conicalgradientpattern" << true
                                        << "ConicalGradientPattern";

        QTest::newRow("rect loose spacing") << make<QtnPropertyQRect>(QRect()) << "QRect ( -5 ,6,7,8 )" << true
                                            << "QRect(-5, 6, 7, 8)";
        QTest::newRow("rect negative width") << make<QtnPropertyQRect>(QRect(1, 2, 3, 4)) << "QRect(10, 20, -30, 40)"
                                             << false << "QRect(1, 2, 3, 4)";
        QTest::newRow("rect three numbers") << make<QtnPropertyQRect>(QRect(1, 2, 3, 4)) << "QRect(10, 20, 30)" << false
                                            << "QRect(1, 2, 3, 4)";
        QTest::newRow("rect wrong word") << make<QtnPropertyQRect>(QRect(1, 2, 3, 4)) << "QSize(10, 20, 30, 40)"
                                         << false << "QRect(1, 2, 3, 4)";
        QTest::newRow("rect right edge at int max") << make<QtnPropertyQRect>(QRect()) << "QRect(2147483646, 0, 2, 1)"
                                                    << true << "QRect(2147483646, 0, 2, 1)";
        QTest::newRow("rect right edge beyond int") << make<QtnPropertyQRect>(QRect(1, 2, 3, 4))
                                                    << "QRect(2147483647, 0, 2, 1)" << false << "QRect(1, 2, 3, 4)";
        QTest::newRow("rect empty at int min") << make<QtnPropertyQRect>(QRect(1, 2, 3, 4))
                                               << "QRect(-2147483648, 0, 0, 1)" << false << "QRect(1, 2, 3, 4)";
        QTest::newRow("size") << make<QtnPropertyQSize>(QSize()) << "QSize(3, -4)" << true << "QSize(3, -4)";
        QTest::newRow("point") << make<QtnPropertyQPoint>(QPoint()) << "QPoint(-3,4)" << true << "QPoint(-3, 4)";
        QTest::newRow("point letter") << make<QtnPropertyQPoint>(QPoint()) << "QPoint(a, 4)" << false << "QPoint(0, 0)";
        QTest::newRow("point trailing text") << make<QtnPropertyQPoint>(QPoint()) << "QPoint(1, 4) x" << false
                                             << "QPoint(0, 0)";

        const Factory font = make<QtnPropertyQFont>(QFont(QStringLiteral("Sans"), 10));
        const QString fontText = QStringLiteral("Sans,10,-1,5,50,0,0,0,0,0");
        QTest::newRow("font bold serif") << font << "Serif,12,-1,5,75,0,0,0,0,0" << true << "Serif,12,-1,5,75,0,0,0,0,0";
        QTest::newRow("font infinite size") << font << "Sans,inf" << false << fontText;
        QTest::newRow("font style hint 9") << font << "Sans,12,-1,9,50,0,0,0,0,0" << false << fontText;
        QTest::newRow("font style 3") << font << "Sans,12,-1,5,50,3,0,0,0,0" << false << fontText;

        QTest::newRow("button") << Factory([](QObject* parent) { return new QtnPropertyButton(parent); }) << "anything"
                                << true << "";
    }

    void fromStr()
    {
        QFETCH(Factory, factory);
        QFETCH(QString, input);
        QObject owner;
        QtnProperty* property = factory(&owner);

        QTEST(property->fromStr(input), "ok");
        QString text;
        property->toStr(text);
        QTEST(text, "after");
    }

    void fontRoundTrip()
    {
        QFont font(QStringLiteral("Sans Serif"), 13);
        font.setBold(true);
        font.setItalic(true);
        QtnPropertyQFont written;
        written.setValue(font);
        QString text;
        QVERIFY(written.toStr(text));

        QtnPropertyQFont read;
        QVERIFY(read.fromStr(QStringLiteral("  ") + text));
        QCOMPARE(read.value().pointSize(), 13);
        QVERIFY(read.value().bold());
        QVERIFY(read.value().italic());
        QCOMPARE(read.value().family(), font.family());
        const QString broken = QStringLiteral("Sans,x,y,z,w,q,r,s,t,u,v,1,2,3,4,5,6,7,8,9,0");
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("QFont::fromString: Invalid description '%1'").arg(broken)));
        QVERIFY(!read.fromStr(broken));
        QCOMPARE(read.value().pointSize(), 13);
    }

    void immutableRefusesQuietly()
    {
        QtnPropertyInt property;
        property.setValue(4);
        property.addState(QtnPropertyStateImmutable);
        QVERIFY(property.fromStr(QStringLiteral("9")));
        QVERIFY(!property.fromVariant(QVariant(9)));
        QCOMPARE(property.value(), 4);
        // The value setter itself ignores the state: read-only is a view matter.
        QVERIFY(property.setValue(9));
    }

    void variants_data()
    {
        QTest::addColumn<Factory>("factory");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("after");

        QTest::newRow("int from int") << make<QtnPropertyInt>(0) << QVariant(42) << true << "42";
        QTest::newRow("int from text") << make<QtnPropertyInt>(0) << QVariant(QStringLiteral("17")) << true << "17";
        QTest::newRow("int equal") << make<QtnPropertyInt>(5) << QVariant(5) << false << "5";
        QTest::newRow("int out of range") << makeRangedInt(5, 0, 10) << QVariant(11) << false << "5";
        QTest::newRow("int from colour") << make<QtnPropertyInt>(5) << QVariant(QColor(Qt::red)) << false << "5";
        QTest::newRow("double") << make<QtnPropertyDouble>(0) << QVariant(0.25) << true << "0.25";
        QTest::newRow("string") << make<QtnPropertyQString>(QString()) << QVariant(12) << true << "12";
        QTest::newRow("enum") << makeEnum<QtnPropertyEnum>(1) << QVariant(4) << true << "COLOR::BLUE";
        QTest::newRow("enum not in info") << makeEnum<QtnPropertyEnum>(1) << QVariant(3) << false << "COLOR::RED";
        QTest::newRow("colour") << make<QtnPropertyQColor>(Qt::black) << QVariant(QColor(1, 2, 3)) << true << "#010203";
        QTest::newRow("pen style") << make<QtnPropertyQPenStyle>(Qt::SolidLine) << QVariant::fromValue(Qt::DotLine)
                                   << true << "DotLine";
        QTest::newRow("pen style from int") << make<QtnPropertyQPenStyle>(Qt::SolidLine) << QVariant(2) << true
                                            << "DashLine";
        QTest::newRow("pen style from int outside") << make<QtnPropertyQPenStyle>(Qt::SolidLine) << QVariant(99)
                                                    << false << "SolidLine";
        QTest::newRow("brush style") << make<QtnPropertyQBrushStyle>(Qt::NoBrush)
                                     << QVariant::fromValue(Qt::CrossPattern) << true << "CrossPattern";
        QTest::newRow("rect") << make<QtnPropertyQRect>(QRect()) << QVariant(QRect(1, 2, 3, 4)) << true
                              << "QRect(1, 2, 3, 4)";
        QTest::newRow("point from rect") << make<QtnPropertyQPoint>(QPoint()) << QVariant(QRect(1, 2, 3, 4)) << false
                                         << "QPoint(0, 0)";
    }

    void variants()
    {
        QFETCH(Factory, factory);
        QFETCH(QVariant, input);
        QObject owner;
        QtnProperty* property = factory(&owner);

        QTEST(property->fromVariant(input), "ok");
        QString text;
        property->toStr(text);
        QTEST(text, "after");

        // Reading back through the variant gives the value itself, not its text.
        QVariant out;
        QVERIFY(property->toVariant(out));
        QCOMPARE(property->property("value"), out);
    }
};

QTEST_MAIN(TestPropertyText)
#include "tst_propertytext.moc"
