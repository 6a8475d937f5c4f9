#include "store/company_file_vfs.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <mutex>

namespace formet {
namespace {

constexpr size_t kHeaderSize = 16;

struct ShimFile {
  sqlite3_file base;
  sqlite3_file* real;  // allocated right after this struct
  bool mainDb;         // only the main database file carries the company header
};

sqlite3_vfs g_shimVfs;
sqlite3_io_methods g_shimMethods;
sqlite3_vfs* g_realVfs = nullptr;

sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<ShimFile*>(f)->real; }

bool IsMain(sqlite3_file* f) { return reinterpret_cast<ShimFile*>(f)->mainDb; }

// The engine's view of a stored header: the company header reads as the
// standard one, and a standard header is made foreign.
void ToEngineView(char* header) {
  if (std::memcmp(header, kCompanyFileHeader.data(), kHeaderSize) == 0) {
    std::memcpy(header, kEngineFileHeader.data(), kHeaderSize);
  } else if (std::memcmp(header, kEngineFileHeader.data(), kHeaderSize) == 0) {
    header[0] = '\x01';
  }
}

int ShimRead(sqlite3_file* f, void* buf, int amount, sqlite3_int64 offset) {
  int rc = Real(f)->pMethods->xRead(Real(f), buf, amount, offset);
  if ((rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ) || !IsMain(f) ||
      offset >= static_cast<sqlite3_int64>(kHeaderSize)) {
    return rc;
  }
  if (offset == 0 && amount >= static_cast<int>(kHeaderSize)) {
    ToEngineView(static_cast<char*>(buf));
    return rc;
  }
  // A read that covers only part of the header: translate the whole header
  // and copy the overlapping bytes.
  char header[kHeaderSize] = {};
  if (Real(f)->pMethods->xRead(Real(f), header, kHeaderSize, 0) == SQLITE_OK) {
    ToEngineView(header);
    const auto end = std::min<sqlite3_int64>(kHeaderSize, offset + amount);
    std::memcpy(buf, header + offset, static_cast<size_t>(end - offset));
  }
  return rc;
}

int ShimWrite(sqlite3_file* f, const void* buf, int amount, sqlite3_int64 offset) {
  if (IsMain(f) && offset < static_cast<sqlite3_int64>(kHeaderSize)) {
    if (offset != 0 || amount < static_cast<int>(kHeaderSize)) return SQLITE_IOERR_WRITE;
    if (std::memcmp(buf, kEngineFileHeader.data(), kHeaderSize) == 0) {
      // Page one is written in one piece; it carries the company header.
      std::string page(static_cast<const char*>(buf), static_cast<size_t>(amount));
      std::memcpy(page.data(), kCompanyFileHeader.data(), kHeaderSize);
      return Real(f)->pMethods->xWrite(Real(f), page.data(), amount, offset);
    }
  }
  return Real(f)->pMethods->xWrite(Real(f), buf, amount, offset);
}

int ShimClose(sqlite3_file* f) {
  int rc = Real(f)->pMethods ? Real(f)->pMethods->xClose(Real(f)) : SQLITE_OK;
  return rc;
}
int ShimTruncate(sqlite3_file* f, sqlite3_int64 size) { return Real(f)->pMethods->xTruncate(Real(f), size); }
int ShimSync(sqlite3_file* f, int flags) { return Real(f)->pMethods->xSync(Real(f), flags); }
int ShimFileSize(sqlite3_file* f, sqlite3_int64* size) { return Real(f)->pMethods->xFileSize(Real(f), size); }
int ShimLock(sqlite3_file* f, int level) { return Real(f)->pMethods->xLock(Real(f), level); }
int ShimUnlock(sqlite3_file* f, int level) { return Real(f)->pMethods->xUnlock(Real(f), level); }
int ShimCheckReservedLock(sqlite3_file* f, int* out) { return Real(f)->pMethods->xCheckReservedLock(Real(f), out); }
int ShimFileControl(sqlite3_file* f, int op, void* arg) { return Real(f)->pMethods->xFileControl(Real(f), op, arg); }
int ShimSectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
int ShimDeviceCharacteristics(sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); }
int ShimShmMap(sqlite3_file* f, int pg, int sz, int extend, void volatile** p) {
  return Real(f)->pMethods->xShmMap(Real(f), pg, sz, extend, p);
}
int ShimShmLock(sqlite3_file* f, int offset, int n, int flags) { return Real(f)->pMethods->xShmLock(Real(f), offset, n, flags); }
void ShimShmBarrier(sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); }
int ShimShmUnmap(sqlite3_file* f, int del) { return Real(f)->pMethods->xShmUnmap(Real(f), del); }
// Memory mapping would bypass the header swap; report it as unavailable.
int ShimFetch(sqlite3_file*, sqlite3_int64, int, void** p) {
  *p = nullptr;
  return SQLITE_OK;
}
int ShimUnfetch(sqlite3_file*, sqlite3_int64, void*) { return SQLITE_OK; }

int ShimOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
  auto* shim = reinterpret_cast<ShimFile*>(f);
  shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
  int rc = g_realVfs->xOpen(g_realVfs, name, shim->real, flags, outFlags);
  if (rc != SQLITE_OK) {
    f->pMethods = nullptr;
    return rc;
  }
  // Journals and temporary files pass through unchanged.
  shim->mainDb = (flags & SQLITE_OPEN_MAIN_DB) != 0;
  f->pMethods = &g_shimMethods;
  return rc;
}

void Register() {
  g_realVfs = sqlite3_vfs_find(nullptr);
  g_shimVfs = *g_realVfs;
  g_shimVfs.zName = "formet-company-file";
  g_shimVfs.pNext = nullptr;
  g_shimVfs.szOsFile = static_cast<int>(sizeof(ShimFile)) + g_realVfs->szOsFile;
  g_shimVfs.xOpen = ShimOpen;

  g_shimMethods = sqlite3_io_methods{};
  g_shimMethods.iVersion = 3;
  g_shimMethods.xClose = ShimClose;
  g_shimMethods.xRead = ShimRead;
  g_shimMethods.xWrite = ShimWrite;
  g_shimMethods.xTruncate = ShimTruncate;
  g_shimMethods.xSync = ShimSync;
  g_shimMethods.xFileSize = ShimFileSize;
  g_shimMethods.xLock = ShimLock;
  g_shimMethods.xUnlock = ShimUnlock;
  g_shimMethods.xCheckReservedLock = ShimCheckReservedLock;
  g_shimMethods.xFileControl = ShimFileControl;
  g_shimMethods.xSectorSize = ShimSectorSize;
  g_shimMethods.xDeviceCharacteristics = ShimDeviceCharacteristics;
  g_shimMethods.xShmMap = ShimShmMap;
  g_shimMethods.xShmLock = ShimShmLock;
  g_shimMethods.xShmBarrier = ShimShmBarrier;
  g_shimMethods.xShmUnmap = ShimShmUnmap;
  g_shimMethods.xFetch = ShimFetch;
  g_shimMethods.xUnfetch = ShimUnfetch;
  sqlite3_vfs_register(&g_shimVfs, 0);
}

}  // namespace

const char* CompanyFileVfs() {
  static std::once_flag once;
  std::call_once(once, Register);
  return g_shimVfs.zName;
}

}  // namespace formet
