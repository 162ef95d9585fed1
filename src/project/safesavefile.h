#ifndef PROJECT_SAFESAVEFILE_H
#define PROJECT_SAFESAVEFILE_H

#include <QIODevice>
#include <QSaveFile>

// A file that is either replaced by the whole new content or left exactly as
// it was. Everything written goes into a temporary file beside the target,
// which takes the target's place only once every byte has reached the disk.
//
// The toolkit's save file is not enough on its own: bytes still in its write
// buffer are written by commit(), and when that last write fails (a full
// disk, a file-size limit) commit() may still report success and put a
// truncated or empty file in place of the project. Here the buffer is
// flushed, the error state checked and the data synced before the commit,
// and any failure cancels the write.
//
// Failures are reported with the system's text for the failing call
// (errorString()), captured at the moment of the failure.
class SafeSaveFile : public QIODevice
{
public:
    explicit SafeSaveFile(const QString &path);
    // An open file that was not committed is thrown away; the target stays.
    ~SafeSaveFile() override;

    QString fileName() const { return m_file.fileName(); }

    // Opens for writing in text mode; other modes are refused.
    bool open(OpenMode mode = WriteOnly | Text) override;
    // Puts the written content in place of the target. False: the target is
    // untouched and errorString() says why.
    bool commit();
    // Throws the written content away; the target stays as it was.
    void cancel();

    // Replaces the file at path by bytes, all or nothing. False with the
    // system's reason in *error when the old file had to stay.
    static bool writeAll(const QString &path, const QByteArray &bytes, QString *error);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    void fail(int errorNumber, const QString &fallback);

    QSaveFile m_file;
    bool m_failed = false;
};

#endif // PROJECT_SAFESAVEFILE_H
