// Runs a check as an ordinary user: tests of permissions run as root in CI,
// and root reads and writes where an ordinary user may not.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

// Runs `check` in a child process, as the ordinary user 65534 when the test
// runs as root; its exit status: 0 when the check held, 1 when not, 2 when
// the user could not be taken, -1 when the child did not end normally.
template <class Check>
int AsOrdinaryUser(Check check) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(2);
    }
    ::_exit(check() ? 0 : 1);
  }
  int status = -1;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testing_support
