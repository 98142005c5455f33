#include "link/PosixProcessStarter.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

extern char** environ;

namespace kavro {
namespace {

// Releases what posix_spawn needs, however Start returns.
struct SpawnSetup {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

long long PosixProcessStarter::Start(const std::string& program,
                                     const std::vector<std::string>& arguments) {
  if (program.empty()) return 0;
  const std::filesystem::path path(program);
  const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";

  SpawnSetup setup;
  posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addchdir_np(&setup.actions, folder.c_str());
  posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&setup.attributes, 0);

  std::vector<std::string> words;
  words.push_back(std::filesystem::absolute(path).string());
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  pid_t child = 0;
  // posix_spawn reports a program that cannot be executed as its own failure.
  if (posix_spawn(&child, argv[0], &setup.actions, &setup.attributes, argv.data(), environ) != 0) {
    return 0;
  }
  return child;
}

void SignalProcessToEnd(long long processId, bool force) {
  if (processId <= 0) return;
  const auto pid = static_cast<pid_t>(processId);
  if (force) {
    ::kill(pid, SIGKILL);
    return;
  }
  ::kill(pid, SIGTERM);
  ::kill(pid, SIGCONT);
}

void PosixProcessStarter::Terminate(long long processId, bool force) {
  SignalProcessToEnd(processId, force);
}

bool PosixProcessStarter::IsRunning(long long processId) {
  if (processId <= 0) return false;
  int status = 0;
  const pid_t result = waitpid(static_cast<pid_t>(processId), &status, WNOHANG);
  if (result == 0) return true;         // still running
  return result < 0 && errno == EINTR;  // ended and collected now, or not our child
}

}  // namespace kavro
