// Child processes for the records tests: a fault staged in a child stays
// out of the test process (a user switch, a limit, a kill), and the child
// shows that a call returns without throwing or printing anything.
#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace varlo_test {

constexpr uid_t NobodyUser = 65534;
constexpr gid_t NobodyGroup = 65534;

// Exit codes of a child that could not stage its fault; anything below is
// the child's own report.
constexpr int ChildThrew = 70;
constexpr int NoUnprivilegedUser = 77;
constexpr int FaultNotEnforced = 78;

// Hands a path to the user the unprivileged children run as, with the given
// mode. Without root the children run as this user, who owns it already.
inline void HandOver(const std::filesystem::path& path, std::filesystem::perms mode) {
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(path.c_str(), NobodyUser, NobodyGroup), 0);
  }
  std::filesystem::permissions(path, mode);
}

struct ChildResult {
  bool exited = false;
  int code = -1;
  int signal = 0;
  std::string output;  ///< what the child printed on stdout and stderr
};

inline bool BecomeUnprivileged() {
  if (::geteuid() != 0) return true;
  return ::setgroups(0, nullptr) == 0 && ::setgid(NobodyGroup) == 0 &&
         ::setuid(NobodyUser) == 0 && ::geteuid() == NobodyUser;
}

inline std::string ReadAll(std::FILE* stream) {
  std::string text;
  std::rewind(stream);
  for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) text += static_cast<char>(c);
  return text;
}

// Runs body in a child, its output caught, and reports how the child ended.
// A body that hangs is ended by an alarm and counts as not returning.
inline ChildResult RunChild(bool unprivileged, const std::function<int()>& body) {
  ChildResult result;
  std::FILE* output = std::tmpfile();
  if (output == nullptr) return result;
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(::fileno(output), STDOUT_FILENO);
    ::dup2(::fileno(output), STDERR_FILENO);
    ::alarm(10);
    if (unprivileged && !BecomeUnprivileged()) ::_exit(NoUnprivilegedUser);
    int code = ChildThrew;
    try {
      code = body();
    } catch (...) {
    }
    std::fflush(nullptr);
    ::_exit(code);
  }
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child) {
    result.exited = WIFEXITED(status);
    result.code = result.exited ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  }
  result.output = ReadAll(output);
  std::fclose(output);
  return result;
}

// The checks every faulted call must pass: it returned, threw nothing and
// said nothing.
inline void ExpectQuietReturn(const ChildResult& result) {
  ASSERT_TRUE(result.exited) << "the child was ended by signal " << result.signal;
  EXPECT_NE(result.code, ChildThrew) << "an exception escaped";
  EXPECT_EQ(result.output, "");
}

inline bool CannotStage(const ChildResult& result) {
  return result.exited && (result.code == NoUnprivilegedUser || result.code == FaultNotEnforced);
}

inline const char* WhyNotStaged(const ChildResult& result) {
  return result.code == NoUnprivilegedUser ? "cannot switch to an unprivileged user"
                                           : "the system does not enforce this fault";
}

}  // namespace varlo_test
