#pragma once
// The record that every process loading TolvaneBho.dll shares. The
// companion keeps exactly one instance in a shared data section; the main
// program and Keyrune+ reach it only through the library's exports.

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace tolvane::protocol {

// Capacities count UTF-16 code units including the terminator.
inline constexpr std::size_t kHstCommandCapacity = 64;
inline constexpr std::size_t kTlCommandCapacity = 64;
inline constexpr std::size_t kSiteCapacity = 64;
inline constexpr std::size_t kKyrErrorCapacity = 128;
inline constexpr std::size_t kFolderNameCapacity = 260;

inline constexpr std::uint32_t kInitialMaxLogSize = 5u * 1024u * 1024u;

// Handles and the primary object are meaningful only in the process that
// stored them, which is why the owner's process id travels with them.
struct SharedCommandBlock {
  std::atomic<void*> primaryBho{nullptr};
  std::atomic<std::int32_t> loadCount{0};
  std::atomic<std::int32_t> instCount{0};
  char16_t hstCommand[kHstCommandCapacity]{};
  std::atomic<void*> cmdEvent{nullptr};
  std::atomic<void*> cmdThreadHandle{nullptr};
  std::atomic<std::uint32_t> cmdThreadProcId{0};
  std::atomic<bool> folderWatch{false};
  std::atomic<bool> debugLogging{false};
  std::atomic<bool> bTolvaneLoaded{false};
  std::atomic<bool> bhoUp{false};
  std::atomic<bool> kyrValidated{false};
  char16_t tlCommand[kTlCommandCapacity]{};
  char16_t site[kSiteCapacity]{};
  char16_t kyrError[kKyrErrorCapacity]{};
  std::atomic<std::uint32_t> maxLogSize{kInitialMaxLogSize};
  char16_t folderName[kFolderNameCapacity]{};
  // Process that sited `primaryBho`; a primary object recorded by another
  // process is never called.
  std::atomic<std::uint32_t> primaryBhoProcId{0};
  // Creation time of the process `cmdThreadProcId`, so that a later process
  // that reuses the id of one that ended is not taken for it.
  std::atomic<std::uint64_t> cmdThreadProcStart{0};
};

// Shared memory is only safe to use through lock-free atomics.
static_assert(std::atomic<void*>::is_always_lock_free);
static_assert(std::atomic<std::int32_t>::is_always_lock_free);
static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
static_assert(std::atomic<std::uint64_t>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

// `setMaxLogSize` takes megabytes; the field holds bytes (32 bits, so
// 4096 MB and more wrap, as the shift does).
constexpr std::uint32_t maxLogSizeBytes(std::int32_t megabytes) {
  return static_cast<std::uint32_t>(megabytes) << 20;
}

}  // namespace tolvane::protocol
