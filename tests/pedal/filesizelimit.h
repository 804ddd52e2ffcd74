// A file-size limit for the life of one object, so that a write comes up
// short as it would on a full disk (POSIX only; elsewhere the tests skip).
#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>

namespace pedaltest {

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_ok = getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_ok = m_ok && setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() { lift(); }
    bool ok() const { return m_ok; }
    void lift()
    {
        if (m_lifted)
            return;
        m_lifted = true;
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    struct rlimit m_saved {};
    void (*m_handler)(int) = nullptr;
    bool m_ok = false;
    bool m_lifted = false;
};

} // namespace pedaltest
#endif
