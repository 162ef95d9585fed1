#include "project/systemerror.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString SystemError::text(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString SystemError::ofReading(const QString &path, const QString &fallback)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::stat(name.constData(), &status) != 0)
        return text(errno);
    // Opening a folder for reading succeeds; reading it is what fails.
    if (S_ISDIR(status.st_mode))
        return text(EISDIR);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text(errno);
    ::close(fd);
    return fallback;
}

QString SystemError::ofWriting(const QString &path, const QString &fallback)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::stat(name.constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return text(EISDIR);
        if (::access(name.constData(), W_OK) != 0)
            return text(errno);
    }
    // The new content is written into a temporary file in the same folder.
    // The trailing "." makes a parent that is a plain file answer "Not a
    // directory" instead of passing the test as a writable file.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath() + QStringLiteral("/."));
    if (::access(folder.constData(), W_OK) != 0)
        return text(errno);
    return fallback;
}
