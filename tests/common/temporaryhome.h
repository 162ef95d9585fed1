#ifndef TEMPORARYHOME_H
#define TEMPORARYHOME_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A home directory of its own for one test: HOME points into a fresh
// temporary folder while the object lives, so "mox" in it starts missing and
// nothing a test does reaches the real ~/mox.
class TemporaryHome
{
public:
    TemporaryHome();
    ~TemporaryHome();
    TemporaryHome(const TemporaryHome &) = delete;
    TemporaryHome &operator=(const TemporaryHome &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
};

#endif // TEMPORARYHOME_H
