#include "link/PosixProcessStarter.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

// SIGTERM followed by SIGCONT (a stopped process handles its SIGTERM only once it runs), or
// SIGKILL when forced.
void SignalToEnd(pid_t pid, bool force) {
  if (force) {
    ::kill(pid, SIGKILL);
    return;
  }
  ::kill(pid, SIGTERM);
  ::kill(pid, SIGCONT);
}

}  // namespace

long long PosixProcessStarter::Start(const std::string& program,
                                     const std::vector<std::string>& arguments) {
  CollectEnded();
  if (program.empty()) return 0;
  const std::filesystem::path path(program);
  const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";

  SpawnSetup setup;
  posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addchdir_np(&setup.actions, folder.c_str());
  // A session of its own: a new process group with no controlling terminal. Signals the
  // controller blocks or handles its own way start blocked or ignored in no child.
  sigset_t none;
  sigset_t all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&setup.attributes, &none);
  posix_spawnattr_setsigdefault(&setup.attributes, &all);
  posix_spawnattr_setflags(&setup.attributes,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

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
  children_.push_back(child);
  return child;
}

void PosixProcessStarter::CollectEnded() {
  std::erase_if(children_, [](pid_t child) {
    int status = 0;
    const pid_t result = waitpid(child, &status, WNOHANG);
    if (result == 0) return false;           // still running
    return !(result < 0 && errno == EINTR);  // ended and collected now, or not ours to wait for
  });
}

bool PosixProcessStarter::IsOurs(long long processId) const {
  return std::find(children_.begin(), children_.end(), static_cast<pid_t>(processId)) !=
         children_.end();
}

bool PosixProcessStarter::IsRunning(long long processId) {
  CollectEnded();
  return processId > 0 && IsOurs(processId);
}

void PosixProcessStarter::Terminate(long long processId, bool force) {
  CollectEnded();
  if (processId > 0 && IsOurs(processId)) SignalToEnd(static_cast<pid_t>(processId), force);
}

}  // namespace kavro
