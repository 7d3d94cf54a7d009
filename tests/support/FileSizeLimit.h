// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>

#include <csignal>

// Lets no file this process writes grow beyond `bytes` while it lives: a disk that fills up in the
// middle of a write. SIGXFSZ is ignored meanwhile, so the write fails instead of killing the test.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_ok = getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        m_ok = m_ok && setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool isActive() const { return m_ok; }

private:
    rlimit m_saved {};
    void (*m_previousHandler)(int) = SIG_DFL;
    bool m_ok = false;
};
