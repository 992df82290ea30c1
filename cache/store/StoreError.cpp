#include "cache/store/StoreError.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>

#include "cache/store/UrlCacheStore.h"
#include "text/AsciiText.h"

namespace vantry::cache {

uint32_t StoreErrorFromErrno(int error) {
  switch (error) {
    case 0:
      return STORE_OK;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case EROFS:
      return ERROR_WRITE_PROTECT;
    case EACCES:
    case EPERM:
      return ERROR_ACCESS_DENIED;
    case EFBIG:
      return ERROR_FILE_TOO_LARGE;
    case EISDIR:
      return ERROR_DIRECTORY;
    case ELOOP:
      return ERROR_CANT_RESOLVE_FILENAME;
    case ENOENT:
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EIO:
      return ERROR_IO_DEVICE;
    default:
      return ERROR_STORE_FAILURE;
  }
}

uint32_t StoreErrorFromSqlite(int code, int systemError) {
  switch (code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return STORE_OK;
    case SQLITE_FULL:
      return ERROR_DISK_FULL;
    case SQLITE_READONLY:
      return ERROR_WRITE_PROTECT;
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return ERROR_ACCESS_DENIED;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return ERROR_BUSY;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return ERROR_FILE_CORRUPT;
    case SQLITE_NOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_TOOBIG:
      return ERROR_FILE_TOO_LARGE;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR: {
      // The system call's errno is the cause; an I/O error without one is the disk's.
      uint32_t cause = StoreErrorFromErrno(systemError);
      return cause == STORE_OK || cause == ERROR_STORE_FAILURE ? ERROR_IO_DEVICE : cause;
    }
    default:
      return ERROR_STORE_FAILURE;
  }
}

std::string StoreErrorText(uint32_t code) {
  switch (code) {
    case STORE_OK:
      return "no error";
    case ERROR_FILE_NOT_FOUND:
      return "no entry has that key";
    case ERROR_PATH_NOT_FOUND:
      return "a file or folder of the store is missing";
    case ERROR_ACCESS_DENIED:
      return "permission denied";
    case ERROR_NOT_ENOUGH_MEMORY:
      return "out of memory";
    case ERROR_WRITE_PROTECT:
      return "the store is read-only";
    case ERROR_INVALID_PARAMETER:
      return "the store does not take that value";
    case ERROR_DISK_FULL:
      return "the disk is full";
    case ERROR_BUSY:
      return "another program keeps the store's index busy";
    case ERROR_FILE_TOO_LARGE:
      return "a file would grow larger than the system allows";
    case ERROR_DIRECTORY:
      return "a folder stands where the store keeps one of its files";
    case ERROR_IO_DEVICE:
      return "the disk reported a read or write error";
    case ERROR_FILE_CORRUPT:
      return "the store's index is damaged";
    case ERROR_CANT_RESOLVE_FILENAME:
      return "a symbolic link stands where the store keeps one of its files or folders";
    default:
      return "the store's index failed (error " + std::to_string(code) + ")";
  }
}

std::string ErrnoText(int error) {
  uint32_t code = StoreErrorFromErrno(error);
  if (code != ERROR_STORE_FAILURE && code != ERROR_PATH_NOT_FOUND) return StoreErrorText(code);
  std::string text = strerror(error);
  if (!text.empty()) text[0] = text::LowerAscii(text[0]);
  return text;
}

}  // namespace vantry::cache
