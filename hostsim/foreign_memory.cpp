#include "hostsim/foreign_memory.h"

#include <cstdint>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace hostsim {

#ifdef _WIN32

// Asks the memory manager in the process itself (no exception, no server round trip).
bool CopyForeign(const void* from, void* to, size_t size) {
  const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                         PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  const uintptr_t end = reinterpret_cast<uintptr_t>(from) + size;
  if (end < reinterpret_cast<uintptr_t>(from)) return false;
  for (uintptr_t p = reinterpret_cast<uintptr_t>(from); p < end;) {
    MEMORY_BASIC_INFORMATION info{};
    if (!VirtualQuery(reinterpret_cast<const void*>(p), &info, sizeof info) || info.State != MEM_COMMIT ||
        (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) || !(info.Protect & readable)) {
      return false;
    }
    p = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
  }
  std::memcpy(to, from, size);
  return true;
}

#else

namespace {

// Where the kernel refuses process_vm_readv on our own process: the pages' mapping, then a
// copy that the address sanitizer does not watch (the bytes around a foreign pointer are
// anybody's).
__attribute__((no_sanitize_address)) bool CopyMapped(const void* from, void* to, size_t size) {
  const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t first = reinterpret_cast<uintptr_t>(from) & ~(page - 1);
  const uintptr_t end = reinterpret_cast<uintptr_t>(from) + size;
  for (uintptr_t p = first; p < end; p += page) {
    unsigned char resident;
    if (mincore(reinterpret_cast<void*>(p), page, &resident) != 0) return false;
  }
  const volatile char* source = static_cast<const volatile char*>(from);
  for (size_t i = 0; i < size; ++i) static_cast<char*>(to)[i] = source[i];
  return true;
}

}  // namespace

// The kernel copies, so neither a fault nor the address sanitizer sees the foreign bytes.
bool CopyForeign(const void* from, void* to, size_t size) {
  iovec local{to, size};
  iovec remote{const_cast<void*>(from), size};
  const long n = syscall(SYS_process_vm_readv, getpid(), &local, 1, &remote, 1, 0);
  if (n >= 0) return static_cast<size_t>(n) == size;
  if (errno == EPERM || errno == ENOSYS) return CopyMapped(from, to, size);
  return false;
}

#endif

}  // namespace hostsim
