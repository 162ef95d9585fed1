#include "filesizelimit.h"

#include <csignal>

FileSizeLimit::FileSizeLimit(rlim_t bytes)
    : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN))
{
    if (getrlimit(RLIMIT_FSIZE, &m_old) != 0)
        return;
    struct rlimit small = m_old;
    small.rlim_cur = bytes;
    m_active = setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (m_active)
        setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
}
