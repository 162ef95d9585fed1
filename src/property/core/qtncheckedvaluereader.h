#ifndef QTN_CHECKED_VALUE_READER_H
#define QTN_CHECKED_VALUE_READER_H

#include <QByteArray>
#include <QDataStream>
#include <QString>

class QColor;
class QFont;
class QObject;
class QPen;
class QRect;

// Reads one value of Qt's stream form without trusting the stream. Qt's own
// readers store whatever the bytes say: a pen style of 15 or a colour spec of
// 99 (values outside their enumerations), a dash pattern or a font family
// list whose count reserves gigabytes before a single element is read, a
// not-a-number point size. A damaged stream must fail instead.
//
// The reader walks the value field by field as Qt lays it out for the
// stream's version, checks every field, and copies the fields it read into a
// buffer with the stream's settings. Only a value that passed reaches Qt's
// own reader, from that buffer; counts there are backed by bytes already read.
class QtnCheckedValueReader
{
public:
    explicit QtnCheckedValueReader(QDataStream& stream);

    bool read(QColor& value);
    bool read(QPen& value);
    bool read(QFont& value);
    bool read(QRect& value);
    bool read(float& value);
    bool read(double& value);

    // Why the last read failed, in English.
    const QString& reason() const { return m_reason; }

    // The values a pen-style or brush-style property can hold.
    static bool isPenStyle(int style);
    static bool isBrushStyle(int style);

    // Writes "Cannot <verb> property <class><<name>> <form>: <reason>" to the
    // debug log, for example verb "load" and form "from stream".
    static void logRefused(const QObject& property, const QString& verb, const QString& form, const QString& reason);

private:
    template <typename T>
    bool copy(T& field);
    bool copyFinite(double& field, const char* what);
    bool copyColor();
    bool copyBrush();
    bool copyGradient(int brushStyle);
    bool copyTransform();
    bool copyStringList();
    bool fail(const QString& reason);
    template <typename T>
    bool replay(T& value);

    QDataStream& m_in;
    QByteArray m_checked;
    QDataStream m_out;
    QString m_reason;
};

#endif // QTN_CHECKED_VALUE_READER_H
