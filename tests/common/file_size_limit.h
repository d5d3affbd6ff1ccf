#pragma once

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace ivc::test {

// A full disk without root: while it lives, no file of this process may grow past `bytes`
// (RLIMIT_FSIZE), and a write beyond that fails with EFBIG ("File too large") instead of
// the signal that would end the process. Files already larger are left as they are; the
// limit and the signal's handling come back as they were when it ends.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldSignal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // Whether the limit holds: a test that cannot set it must fail, not pass unchecked.
    bool set() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_oldSignal)(int) = SIG_DFL;
    bool m_set = false;
};

// What `write()` returns on a full disk that has room for `bytes`; a limit that cannot be
// set ends the test program.
template <typename Write> auto onAFullDisk(rlim_t bytes, Write write) {
    const FileSizeLimit full(bytes);
    if (!full.set()) {
        std::fputs("cannot set a file size limit\n", stderr);
        std::abort();
    }
    return write();
}

} // namespace ivc::test
