#ifndef FILESIZELIMIT_H
#define FILESIZELIMIT_H

#include <sys/resource.h>

// While it lives, no file of the process may grow past the given size: every
// byte beyond is refused with EFBIG, as a quota would refuse it. The signal
// that would end the process is ignored meanwhile.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // False when the limit could not be set.
    bool isActive() const { return m_active; }

private:
    struct rlimit m_old;
    void (*m_oldHandler)(int);
    bool m_active = false;
};

#endif // FILESIZELIMIT_H
