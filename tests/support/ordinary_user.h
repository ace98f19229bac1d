// Runs a check as an ordinary user: CI runs the tests as root, who writes
// into read-only folders, so a check of what an unwritable folder does must
// give up root first.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

// The user and group a test takes when it runs as root ("nobody").
inline constexpr uid_t kOrdinaryUser = 65534;
inline constexpr gid_t kOrdinaryGroup = 65534;

// Runs `check` in a child process, as kOrdinaryUser when the test runs as
// root; its exit status: 0 when the check held, 1 when not, 2 when the user
// could not be taken, -1 when the child did not end normally. What the
// folders it reads must grant, they grant to others.
template <class Check>
int AsOrdinaryUser(Check check) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kOrdinaryGroup) != 0 || ::setuid(kOrdinaryUser) != 0)) {
      ::_exit(2);
    }
    ::_exit(check() ? 0 : 1);
  }
  int status = -1;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testing_support
