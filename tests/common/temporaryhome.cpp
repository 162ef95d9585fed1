#include "temporaryhome.h"

TemporaryHome::TemporaryHome()
    : m_oldHome(qgetenv("HOME"))
{
    qputenv("HOME", m_dir.path().toLocal8Bit());
}

TemporaryHome::~TemporaryHome()
{
    qputenv("HOME", m_oldHome);
}
