// Work that must happen in another process: as another user, under a limit or signal handler of
// its own, or to be killed part-way.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

namespace kelvane {

inline constexpr uid_t kNobody = 65534;  // also used as its group

inline bool IsRoot() {
  return ::geteuid() == 0;
}

// Runs work in a forked child, as user and group `as` when given (which needs root), and returns
// the text work returned, or how the child ended when it did not finish. The child keeps only the
// standard descriptors and its pipe (descriptor 3), so any other open file it has is the work's.
inline std::string InChild(const std::function<std::string()>& work,
                           std::optional<uid_t> as = std::nullopt) {
  int ends[2];
  if (::pipe(ends) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child < 0) return "no fork";
  if (child == 0) {
    ::dup2(ends[1], 3);
    ::close_range(4, ~0U, 0);
    std::string result;
    if (as && (::setgroups(0, nullptr) != 0 || ::setgid(*as) != 0 || ::setuid(*as) != 0)) {
      result = "cannot become the other user";
    } else {
      result = work();
    }
    for (std::size_t done = 0; done < result.size();) {
      const ssize_t put = ::write(3, result.data() + done, result.size() - done);
      if (put <= 0) break;
      done += static_cast<std::size_t>(put);
    }
    ::_exit(0);  // no destructors or leak checks of the parent's objects
  }
  ::close(ends[1]);
  std::string text;
  char buffer[256];
  for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return "child ended with status " + std::to_string(status);
  }
  return text;
}

}  // namespace kelvane
