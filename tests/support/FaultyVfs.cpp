#include "support/FaultyVfs.h"

#include <sqlite3.h>

#include <cstring>

namespace kavro::test {
namespace {

FaultyVfs theSwitch;
sqlite3_vfs* real = nullptr;
sqlite3_vfs faulty;
sqlite3_io_methods methods;

struct File {
  sqlite3_file base;
  sqlite3_file* inner;
};

sqlite3_file* Inner(sqlite3_file* file) { return reinterpret_cast<File*>(file)->inner; }

int Close(sqlite3_file* f) { return Inner(f)->pMethods->xClose(Inner(f)); }
int Read(sqlite3_file* f, void* b, int n, sqlite3_int64 o) {
  return Inner(f)->pMethods->xRead(Inner(f), b, n, o);
}
int Write(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
  if (theSwitch.failWrites) return theSwitch.failWrites;
  return Inner(f)->pMethods->xWrite(Inner(f), b, n, o);
}
int Truncate(sqlite3_file* f, sqlite3_int64 size) {
  if (theSwitch.failWrites) return theSwitch.failWrites;
  return Inner(f)->pMethods->xTruncate(Inner(f), size);
}
int Sync(sqlite3_file* f, int flags) {
  if (theSwitch.failWrites) return theSwitch.failWrites;
  return Inner(f)->pMethods->xSync(Inner(f), flags);
}
int FileSize(sqlite3_file* f, sqlite3_int64* size) {
  return Inner(f)->pMethods->xFileSize(Inner(f), size);
}
int Lock(sqlite3_file* f, int l) { return Inner(f)->pMethods->xLock(Inner(f), l); }
int Unlock(sqlite3_file* f, int l) { return Inner(f)->pMethods->xUnlock(Inner(f), l); }
int CheckReservedLock(sqlite3_file* f, int* out) {
  return Inner(f)->pMethods->xCheckReservedLock(Inner(f), out);
}
int FileControl(sqlite3_file* f, int op, void* arg) {
  return Inner(f)->pMethods->xFileControl(Inner(f), op, arg);
}
int SectorSize(sqlite3_file* f) { return Inner(f)->pMethods->xSectorSize(Inner(f)); }
int DeviceCharacteristics(sqlite3_file* f) {
  return Inner(f)->pMethods->xDeviceCharacteristics(Inner(f));
}
int ShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** out) {
  return Inner(f)->pMethods->xShmMap(Inner(f), page, size, extend, out);
}
int ShmLock(sqlite3_file* f, int offset, int n, int flags) {
  return Inner(f)->pMethods->xShmLock(Inner(f), offset, n, flags);
}
void ShmBarrier(sqlite3_file* f) { Inner(f)->pMethods->xShmBarrier(Inner(f)); }
int ShmUnmap(sqlite3_file* f, int deleteFlag) {
  return Inner(f)->pMethods->xShmUnmap(Inner(f), deleteFlag);
}

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
  File* wrapped = reinterpret_cast<File*>(file);
  wrapped->inner = reinterpret_cast<sqlite3_file*>(wrapped + 1);
  const int code = real->xOpen(real, name, wrapped->inner, flags, outFlags);
  // SQLite closes a file whose methods are set, even after a failed open.
  wrapped->base.pMethods = wrapped->inner->pMethods ? &methods : nullptr;
  return code;
}

int Delete(sqlite3_vfs*, const char* name, int syncDir) {
  return real->xDelete(real, name, syncDir);
}
int Access(sqlite3_vfs*, const char* name, int flags, int* out) {
  return real->xAccess(real, name, flags, out);
}
int FullPathname(sqlite3_vfs*, const char* name, int n, char* out) {
  return real->xFullPathname(real, name, n, out);
}
int Randomness(sqlite3_vfs*, int n, char* out) { return real->xRandomness(real, n, out); }
int SleepFor(sqlite3_vfs*, int micro) { return real->xSleep(real, micro); }
int CurrentTime(sqlite3_vfs*, double* out) { return real->xCurrentTime(real, out); }
int LastError(sqlite3_vfs*, int n, char* out) { return real->xGetLastError(real, n, out); }
int CurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) {
  return real->xCurrentTimeInt64(real, out);
}

}  // namespace

FaultyVfs& FaultyVfs::Install() {
  if (!real) {
    real = sqlite3_vfs_find(nullptr);
    methods = sqlite3_io_methods{};
    methods.iVersion = 2;
    methods.xClose = Close;
    methods.xRead = Read;
    methods.xWrite = Write;
    methods.xTruncate = Truncate;
    methods.xSync = Sync;
    methods.xFileSize = FileSize;
    methods.xLock = Lock;
    methods.xUnlock = Unlock;
    methods.xCheckReservedLock = CheckReservedLock;
    methods.xFileControl = FileControl;
    methods.xSectorSize = SectorSize;
    methods.xDeviceCharacteristics = DeviceCharacteristics;
    methods.xShmMap = ShmMap;
    methods.xShmLock = ShmLock;
    methods.xShmBarrier = ShmBarrier;
    methods.xShmUnmap = ShmUnmap;
    faulty = sqlite3_vfs{};
    faulty.iVersion = 2;
    faulty.szOsFile = static_cast<int>(sizeof(File)) + real->szOsFile;
    faulty.mxPathname = real->mxPathname;
    faulty.zName = kFaultyVfsName;
    faulty.xOpen = Open;
    faulty.xDelete = Delete;
    faulty.xAccess = Access;
    faulty.xFullPathname = FullPathname;
    faulty.xRandomness = Randomness;
    faulty.xSleep = SleepFor;
    faulty.xCurrentTime = CurrentTime;
    faulty.xGetLastError = LastError;
    faulty.xCurrentTimeInt64 = CurrentTimeInt64;
    sqlite3_vfs_register(&faulty, 0);
  }
  theSwitch.failWrites = 0;
  return theSwitch;
}

}  // namespace kavro::test
