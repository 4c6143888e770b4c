#pragma once

#include <signal.h>
#include <sys/resource.h>

// Limits the size of files this process writes, as a full disk would; the signal that the system
// sends on the limit is ignored so that the write fails with an error ("File too large") instead.
namespace duvanet::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_old;
    limit.rlim_cur = bytes;
    m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    ::signal(SIGXFSZ, m_oldHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool active() const { return m_active; }

 private:
  rlimit m_old{};
  sighandler_t m_oldHandler = nullptr;
  bool m_active = false;
};

}  // namespace duvanet::testing
