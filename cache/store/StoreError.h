#pragma once

#include <cstdint>
#include <string>

namespace vantry::cache {

// The store's result code for the errno of a failed system call.
uint32_t StoreErrorFromErrno(int error);

// The store's result code for an SQLite result code (extended codes too); `systemError` is
// the errno of SQLite's last system call, which says why a file could not be opened or written.
uint32_t StoreErrorFromSqlite(int code, int systemError);

// The cause of a failed store operation in words, such as "the disk is full".
std::string StoreErrorText(uint32_t code);

// The cause of a failed system call in words, in the store's wording where it has one.
std::string ErrnoText(int error);

}  // namespace vantry::cache
