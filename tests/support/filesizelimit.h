// Makes every write past a file offset fail in this process, as a full disk
// does, for as long as the object lives (POSIX only; elsewhere it does nothing
// and active() is false, and the test skips).
#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace tavrotest {

class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
#ifdef Q_OS_UNIX
        if (getrlimit(RLIMIT_FSIZE, &m_old) != 0)
            return;
        // Past the limit a write fails with EFBIG instead of ending the process.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_old;
        limited.rlim_cur = rlim_t(bytes);
        m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
#else
        Q_UNUSED(bytes)
#endif
    }
    ~FileSizeLimit() { lift(); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }
    void lift()
    {
#ifdef Q_OS_UNIX
        if (m_oldHandler != SIG_ERR) {
            setrlimit(RLIMIT_FSIZE, &m_old);
            std::signal(SIGXFSZ, m_oldHandler);
            m_oldHandler = SIG_ERR;
        }
#endif
        m_active = false;
    }

private:
    bool m_active = false;
#ifdef Q_OS_UNIX
    rlimit m_old {};
    void (*m_oldHandler)(int) = SIG_ERR;
#endif
};

} // namespace tavrotest
