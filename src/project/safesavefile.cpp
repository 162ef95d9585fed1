#include "project/safesavefile.h"

#include "project/systemerror.h"

#include <cerrno>
#include <unistd.h>

SafeSaveFile::SafeSaveFile(const QString &path)
    : m_file(path)
{
}

SafeSaveFile::~SafeSaveFile()
{
    if (isOpen())
        cancel();
}

bool SafeSaveFile::open(OpenMode mode)
{
    if (mode != (WriteOnly | Text) && mode != WriteOnly) {
        setErrorString(QStringLiteral("SafeSaveFile writes only"));
        return false;
    }
    m_failed = false;
    if (!m_file.open(mode)) {
        setErrorString(SystemError::ofWriting(m_file.fileName(), m_file.errorString()));
        return false;
    }
    // The text-mode translation, where a platform has one, is the inner
    // file's business; this device passes bytes through.
    return QIODevice::open(WriteOnly);
}

qint64 SafeSaveFile::writeData(const char *data, qint64 size)
{
    if (m_failed)
        return -1;
    errno = 0;
    const qint64 written = m_file.write(data, size);
    // errno still holds the refusal of the write that failed: nothing but
    // bookkeeping ran between that system call and here.
    if (written != size)
        fail(errno, m_file.errorString());
    return written < 0 ? -1 : written;
}

qint64 SafeSaveFile::readData(char *, qint64)
{
    return -1;
}

void SafeSaveFile::fail(int errorNumber, const QString &fallback)
{
    if (m_failed)
        return;
    m_failed = true;
    setErrorString(errorNumber ? SystemError::text(errorNumber) : fallback);
}

bool SafeSaveFile::commit()
{
    if (!isOpen())
        return false;
    if (!m_failed) {
        errno = 0;
        if (!m_file.flush())
            fail(errno, m_file.errorString());
    }
    // A write refused earlier may have left the device's error behind
    // without a short count reaching us.
    if (!m_failed && m_file.error() != QFileDevice::NoError)
        fail(0, m_file.errorString());
    // Some file systems (network shares, quotas) report a full disk only
    // when the data is forced out.
    if (!m_failed && m_file.handle() >= 0 && ::fdatasync(m_file.handle()) != 0 && errno != EINVAL)
        fail(errno, m_file.errorString());
    if (m_failed) {
        cancel();
        return false;
    }
    QIODevice::close();
    if (!m_file.commit()) {
        setErrorString(m_file.errorString());
        return false;
    }
    return true;
}

void SafeSaveFile::cancel()
{
    if (!isOpen())
        return;
    m_file.cancelWriting();
    // A cancelled save file only throws its temporary file away on commit.
    m_file.commit();
    QIODevice::close();
}

bool SafeSaveFile::writeAll(const QString &path, const QByteArray &bytes, QString *error)
{
    SafeSaveFile file(path);
    if (file.open(WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}
