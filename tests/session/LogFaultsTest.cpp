// The event and audit logs go through the file system port like every other file the controller
// writes: a disk that fills up in the middle of a line leaves no half line in either log, the
// window's event log says so once per log, and once there is room the next line goes out whole.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <set>

#include "common/PosixFileSystem.h"
#include "engine/EventNotes.h"
#include "session/ControllerBuilder.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

// The real calls, with the logs' disk filling up while full is set: the first write of a log
// file writes half its bytes, every later one fails with ENOSPC.
class FillingDisk final : public FileCalls {
 public:
  bool full = false;
  int shortWrites = 0;

  int Open(const char* path, int flags, mode_t mode) override {
    const int fd = real().Open(path, flags, mode);
    const std::string name(path);
    if (fd >= 0 && (name.ends_with(".log"))) logs_.insert(fd);
    return fd;
  }
  ssize_t Write(int fd, const void* data, size_t size) override {
    if (!full || !logs_.count(fd)) return real().Write(fd, data, size);
    if (!written_.insert(fd).second) {
      errno = ENOSPC;
      return -1;
    }
    ++shortWrites;
    return real().Write(fd, data, size / 2);
  }
  int Close(int fd) override {
    logs_.erase(fd);
    written_.erase(fd);
    return real().Close(fd);
  }
  ssize_t Read(int fd, void* data, size_t size) override { return real().Read(fd, data, size); }
  ssize_t Pread(int fd, void* data, size_t size, off_t offset) override {
    return real().Pread(fd, data, size, offset);
  }
  int Fsync(int fd) override { return real().Fsync(fd); }
  int Fstat(int fd, struct stat* info) override { return real().Fstat(fd, info); }
  int Stat(const char* path, struct stat* info) override { return real().Stat(path, info); }
  int Flock(int fd, int operation) override { return real().Flock(fd, operation); }
  int Ftruncate(int fd, off_t length) override { return real().Ftruncate(fd, length); }
  int Rename(const char* from, const char* to) override { return real().Rename(from, to); }
  int Unlink(const char* path) override { return real().Unlink(path); }

 private:
  static FileCalls& real() { return SystemFileCalls(); }
  std::set<int> logs_;
  std::set<int> written_;
};

// Every line of a log ends with its line end and none is a piece of the lines that failed.
void ExpectWholeLines(const std::string& bytes, const std::string& failed) {
  EXPECT_TRUE(bytes.empty() || bytes.back() == '\n') << bytes;
  EXPECT_EQ(bytes.find(failed.substr(0, 4)), std::string::npos) << bytes;
}

TEST(LogFaults, AShortWriteLeavesNoHalfLineInTheEventOrAuditLogAndIsSaidOnce) {
  ScratchDir dir;
  FakeWorld world;
  FillingDisk disk;
  PosixFileSystem files(disk);
  ControllerParts parts = world.Parts();
  parts.files = &files;
  BuiltController run(world.controller, std::move(parts));
  ControllerSession& session = run.session();
  Controller& c = world.controller;
  ASSERT_EQ(session.ClaimWorkDir(dir.Path()), std::nullopt);
  ASSERT_TRUE(session.Start(dir.Path()));

  disk.full = true;
  NoteEvent(c, EventKind::Control, "Qzx event while the disk is full");
  NoteEvent(c, EventKind::Control, "Qzx second event while the disk is full");
  ASSERT_TRUE(session.RunCommand("mnuSlope"));  // audited: slope correction on
  ASSERT_TRUE(session.RunCommand("mnuSlope"));  // and off again
  EXPECT_GE(disk.shortWrites, 2);
  ExpectWholeLines(dir.Read("kavro-events.log"), "Qzx");
  ExpectWholeLines(dir.Read("kavro-audit.log"), "Slope correction");
  // The window's log keeps every event, and tells of each failing log once.
  const auto texts = EventTextsOfKind(c.events, EventKind::Control);
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                          [](const std::string& t) { return t.starts_with("Qzx"); }),
            2);
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                          [](const std::string& t) {
                            return t.starts_with("The events file cannot be written: ");
                          }),
            1);
  EXPECT_EQ(EventTextsOfKind(c.events, EventKind::Configuration).size(), 1u);

  disk.full = false;
  NoteEvent(c, EventKind::Control, "Room again");
  ASSERT_TRUE(session.RunCommand("mnuSlope"));
  const std::string events = dir.Read("kavro-events.log");
  ExpectWholeLines(events, "Qzx");
  EXPECT_NE(events.find("\tRoom again\n"), std::string::npos) << events;
  const std::string audit = dir.Read("kavro-audit.log");
  EXPECT_EQ(std::count(audit.begin(), audit.end(), '\n'), 1) << audit;
  EXPECT_NE(audit.find("\tSlope correction\t"), std::string::npos) << audit;
}

}  // namespace
}  // namespace kavro::test
