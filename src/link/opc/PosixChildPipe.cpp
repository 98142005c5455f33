#include "link/opc/PosixChildPipe.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

extern char** environ;

namespace kavro {
namespace {

constexpr int kWriteTimeoutMs = 2000;
constexpr int kGraceMs = 500;

using SteadyClock = std::chrono::steady_clock;

int MillisecondsLeft(SteadyClock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

PosixChildPipe::~PosixChildPipe() {
  Stop();
}

bool PosixChildPipe::Start(const std::string& program, const std::vector<std::string>& arguments) {
  Stop();
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int failed = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  if (failed != 0) {
    close(ends[0]);
    return false;
  }
  fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
  socket_ = ends[0];
  child_ = child;
  pending_.clear();
  return true;
}

bool PosixChildPipe::Running() {
  return child_ > 0 && !Reap(0);
}

bool PosixChildPipe::WriteLine(const std::string& line) {
  if (socket_ < 0) return false;
  const std::string text = line + "\n";
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
  std::size_t sent = 0;
  while (sent < text.size()) {
    const ssize_t n = send(socket_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd waitFor{socket_, POLLOUT, 0};
      if (poll(&waitFor, 1, MillisecondsLeft(deadline)) > 0) continue;
    }
    return false;
  }
  return true;
}

std::optional<std::string> PosixChildPipe::ReadLine(int timeoutMs) {
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
  for (;;) {
    const auto end = pending_.find('\n');
    if (end == std::string::npos ? pending_.size() > kMaxChildLineBytes
                                 : end > kMaxChildLineBytes) {
      Stop();  // a line without end: the child is lost to the protocol
      return std::nullopt;
    }
    if (end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    if (socket_ < 0) return std::nullopt;
    char buffer[65536];
    const ssize_t n = recv(socket_, buffer, sizeof buffer, 0);
    if (n > 0) {
      pending_.append(buffer, static_cast<std::size_t>(n));
      continue;
    }
    if (n == 0) {
      // The child closed its output: ended, or alive but deaf to us. Either way it is done.
      Stop();
      return std::nullopt;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      Stop();  // the connection itself broke
      return std::nullopt;
    }
    const int left = MillisecondsLeft(deadline);
    if (left == 0) return std::nullopt;
    pollfd waitFor{socket_, POLLIN, 0};
    if (poll(&waitFor, 1, left) < 0 && errno != EINTR) return std::nullopt;
  }
}

bool PosixChildPipe::Reap(int waitMs) {
  if (child_ <= 0) return true;
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(child_, &status, WNOHANG);
    if (done == child_ || (done < 0 && errno != EINTR)) {
      child_ = 0;
      return true;
    }
    if (MillisecondsLeft(deadline) == 0) return false;
    usleep(10000);
  }
}

void PosixChildPipe::Stop() {
  if (socket_ >= 0) {
    close(socket_);  // the child sees its input end and leaves by itself
    socket_ = -1;
  }
  pending_.clear();
  if (child_ <= 0) return;
  if (Reap(kGraceMs)) return;
  kill(child_, SIGTERM);
  if (Reap(kGraceMs)) return;
  kill(child_, SIGKILL);
  Reap(kGraceMs);
}

}  // namespace kavro
