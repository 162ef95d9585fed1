// The text and binary forms of every typed property, and of a set holding
// one of each, on arbitrary input.
//
// Input: byte 0 picks the property kind, byte 1 the form and the stream
// settings (bit 0 binary, bit 1 little endian, bit 2 single precision,
// bits 3-5 the stream version, bit 6 JSON for the set), the rest is the text
// (UTF-8) or the bytes.
//
// Oracles, wherever a value was accepted: its text is read back by a new
// property of the kind and written again the same (strings excepted: their
// text form trims and unquotes by design); its binary form, with the chosen
// settings, loads into a new property and saves to the same bytes.
#include "colourenum.h"
#include "fuzzsupport.h"

#include "property/core/qtnpropertycore.h"

#include <QDataStream>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

namespace {

enum Kind {
    Bool, Int, UInt, Float, Double, String, Enum, Flags, Colour, Pen, PenStyle, BrushStyle, Font, Rect, Size, Point,
    Button, Set, KindCount
};

using tst::colourEnum;

QtnPropertyBase *create(int kind, QObject *parent)
{
    switch (kind) {
    case Bool: return new QtnPropertyBool(parent);
    case Int: return new QtnPropertyInt(parent);
    case UInt: return new QtnPropertyUInt(parent);
    case Float: return new QtnPropertyFloat(parent);
    case Double: return new QtnPropertyDouble(parent);
    case String: return new QtnPropertyQString(parent);
    case Enum: {
        auto *p = new QtnPropertyEnum(parent);
        p->setEnumInfo(&colourEnum());
        return p;
    }
    case Flags: {
        auto *p = new QtnPropertyEnumFlags(parent);
        p->setEnumInfo(&colourEnum());
        return p;
    }
    case Colour: return new QtnPropertyQColor(parent);
    case Pen: return new QtnPropertyQPen(parent);
    case PenStyle: return new QtnPropertyQPenStyle(parent);
    case BrushStyle: return new QtnPropertyQBrushStyle(parent);
    case Font: return new QtnPropertyQFont(parent);
    case Rect: return new QtnPropertyQRect(parent);
    case Size: return new QtnPropertyQSize(parent);
    case Point: return new QtnPropertyQPoint(parent);
    case Button: return new QtnPropertyButton(parent);
    default: {
        // A set with one property of every kind, ids 1 to 17, named K0 ...
        auto *set = new QtnPropertySet(parent);
        set->setName(QStringLiteral("All"));
        for (int k = 0; k < Set; ++k) {
            QtnPropertyBase *child = create(k, set);
            child->setName(QStringLiteral("K%1").arg(k));
            child->setId(k + 1);
        }
        return set;
    }
    }
}

struct Settings {
    QDataStream::ByteOrder order = QDataStream::BigEndian;
    QDataStream::FloatingPointPrecision precision = QDataStream::DoublePrecision;
    int version = QDataStream::Qt_5_15;

    explicit Settings(quint8 bits)
    {
        static const int versions[] = {QDataStream::Qt_5_15, QDataStream::Qt_4_0, QDataStream::Qt_4_3,
                                       QDataStream::Qt_4_5,  QDataStream::Qt_5_0, QDataStream::Qt_5_4,
                                       QDataStream::Qt_5_6,  QDataStream::Qt_5_13};
        if (bits & 2)
            order = QDataStream::LittleEndian;
        if (bits & 4)
            precision = QDataStream::SinglePrecision;
        version = versions[(bits >> 3) & 7];
    }
    void apply(QDataStream &stream) const
    {
        stream.setByteOrder(order);
        stream.setFloatingPointPrecision(precision);
        stream.setVersion(version);
    }
};

QString describeKind(int kind)
{
    static const char *const names[] = {"bool", "int", "uint", "float", "double", "string", "enum", "flags", "colour",
                                        "pen", "pen style", "brush style", "font", "rect", "size", "point", "button",
                                        "set"};
    return QString::fromLatin1(names[kind]);
}

QByteArray save(int kind, const QtnPropertyBase &property, const Settings &settings)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    settings.apply(out);
    if (!property.save(out))
        fuzz::fail(QStringLiteral("%1: save failed").arg(describeKind(kind)));
    return bytes;
}

// What was saved loads into the copy and saves to the same bytes.
void binaryRoundTrip(int kind, const QtnPropertyBase &property, QtnPropertyBase *copy, const Settings &settings)
{
    const QByteArray saved = save(kind, property, settings);
    QDataStream in(saved);
    settings.apply(in);
    if (!copy->load(in) || !in.atEnd())
        fuzz::fail(QStringLiteral("%1: a saved value does not load back, version %2: %3")
                       .arg(describeKind(kind)).arg(settings.version).arg(QString::fromLatin1(saved.toHex())));
    const QByteArray again = save(kind, *copy, settings);
    if (again != saved) {
        int at = 0;
        while (at < saved.size() && at < again.size() && saved.at(at) == again.at(at))
            ++at;
        fuzz::fail(QStringLiteral("%1: a loaded value saves different bytes from byte %2 on:\n%3\n%4")
                       .arg(describeKind(kind)).arg(at)
                       .arg(QString::fromLatin1(saved.mid(at).toHex()), QString::fromLatin1(again.mid(at).toHex())));
    }
}

// What a property writes, a new property of the kind reads, and writes again
// the same.
void textRoundTrip(int kind, const QtnPropertyBase &property)
{
    QString text;
    if (!property.toStr(text))
        return; // some values have no text form (a pen with a custom dash pattern)
    // A flag set's text names the values that share a bit with it: bits no
    // value holds (a binary stream may bring them) have no text.
    if (kind == Flags) {
        const QtnEnumFlagsValueType flags = static_cast<const QtnPropertyEnumFlagsBase &>(property).value();
        if (flags & ~QtnEnumFlagsValueType(1 | 2 | 4 | 8))
            return;
    }
    // A rectangle's text form writes a negative width or height as it is,
    // but reads only sizes of zero or more.
    if (kind == Rect) {
        const QRect rect = static_cast<const QtnPropertyQRectBase &>(property).value();
        if (rect.right() < rect.left() - 1 || rect.bottom() < rect.top() - 1)
            return;
    }
    QObject owner;
    QtnPropertyBase *copy = create(kind, &owner);
    if (!copy->fromStr(text))
        fuzz::fail(QStringLiteral("%1: written text is refused: \"%2\"").arg(describeKind(kind), fuzz::visible(text)));
    QString again;
    if (!copy->toStr(again))
        fuzz::fail(QStringLiteral("%1: a value read from text has no text: \"%2\"")
                       .arg(describeKind(kind), fuzz::visible(text)));
    if (kind != String && kind != Set && again != text)
        fuzz::fail(QStringLiteral("%1: text changes on a round trip: \"%2\" -> \"%3\"")
                       .arg(describeKind(kind), fuzz::visible(text), fuzz::visible(again)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    if (size < 2)
        return 0;
    const int kind = data[0] % KindCount;
    const quint8 form = data[1];
    const Settings settings(form);
    const QByteArray payload = fuzz::bytes(data + 2, size - 2);

    const auto apply = [&](QtnPropertyBase *target) {
        if (kind == Set && (form & 64))
            return target->asPropertySet()->fromJson(QJsonDocument::fromJson(payload).object());
        if (form & 1) {
            QDataStream in(payload);
            settings.apply(in);
            return target->load(in);
        }
        return target->fromStr(QString::fromUtf8(payload));
    };

    QObject owner;
    QtnPropertyBase *property = create(kind, &owner);
    if (!apply(property))
        return 0;

    // A stream also sets states, and a child marked NonSerialized stays out
    // of the next save: a set is compared with one that read the same input,
    // a single property with a new one.
    QtnPropertyBase *copy = create(kind, &owner);
    if (kind == Set)
        apply(copy);
    binaryRoundTrip(kind, *property, copy, settings);
    textRoundTrip(kind, *property);
    return 0;
}
