#pragma once

// What the tests need of the system they run on, the same way on POSIX
// systems and on Windows (where they run under Wine).
#ifdef _WIN32
#include <process.h>
#include <stdlib.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace nabidkatest {

inline int ProcessId() {
#ifdef _WIN32
  return _getpid();
#else
  return static_cast<int>(::getpid());
#endif
}

// Sets (or, with nullptr, removes) an environment variable of the process.
inline void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value ? value : "");
#else
  if (value) {
    ::setenv(name, value, 1);
  } else {
    ::unsetenv(name);
  }
#endif
}

// Runs a command line through the POSIX shell, its output and errors into
// `output`; the exit code, -1 when it did not run or end normally. No shell
// of that kind exists for the Windows build.
inline int RunShellCommand(const std::string& command, std::string& output) {
#ifdef _WIN32
  (void)command;
  output = "no POSIX shell on Windows";
  return -1;
#else
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  std::array<char, 4096> buffer;
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) output.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

inline constexpr bool kWindows =
#ifdef _WIN32
    true;
#else
    false;
#endif

}  // namespace nabidkatest
