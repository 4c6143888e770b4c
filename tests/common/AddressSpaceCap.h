#pragma once

// Runs a piece of a test in a child process whose address space is capped, so that a test can
// show that some work fits into a given memory, or that running out of memory is handled.
// Not usable under AddressSanitizer, which reserves far more address space than any cap.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <functional>

namespace duvanet::testing {

/// What runCapped reports when the child could not set up its cap or ended by a signal.
inline constexpr int kCapSetupFailed = 250;
inline constexpr int kChildCrashed = 251;
inline constexpr int kChildThrew = 252;

/// Forks; the child caps its address space at what it has mapped now plus extraBytes, runs
/// body and exits with its result. Returns the child's exit code (kChildCrashed when it was
/// ended by a signal, for instance aborted by an allocation failure nobody caught).
inline int runCapped(qint64 extraBytes, const std::function<int()>& body) {
  const pid_t child = fork();
  if (child < 0) return kCapSetupFailed;
  if (child == 0) {
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly)) _exit(kCapSetupFailed);
    const long pages = status.readAll().split(' ').value(0).toLong();
    rlimit cap{};
    getrlimit(RLIMIT_AS, &cap);
    cap.rlim_cur = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + rlim_t(extraBytes);
    if (setrlimit(RLIMIT_AS, &cap) != 0) _exit(kCapSetupFailed);
    try {
      _exit(body());
    } catch (...) {
      _exit(kChildThrew);
    }
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return kCapSetupFailed;
  return WIFEXITED(status) ? WEXITSTATUS(status) : kChildCrashed;
}

}  // namespace duvanet::testing
