#pragma once
// Events, waits, sleeps and worker threads. The main program uses named
// kernel events (other threads and processes open them by name); tests use
// a fake whose waits return when fake time is advanced past them.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace tolvane {

constexpr std::uint32_t kWaitForever = 0xFFFFFFFFu;

// Worker threads of the main program end with this exit code.
inline constexpr int kWorkerExitCode = 56;

class Event {
 public:
  virtual ~Event() = default;
  virtual bool set() = 0;
  virtual bool reset() = 0;
};

enum class WaitResult { Signaled, TimedOut, Failed };

struct WaitAnyResult {
  int index = -2;           // the first signalled event; -1 on time-out, -2 on failure
  std::uint32_t error = 0;  // the system's error code of a failure
};

class Sync {
 public:
  virtual ~Sync() = default;

  // Creates the event, or opens it when one of that name exists already;
  // an empty name makes a private event. Null when the system refuses.
  virtual std::shared_ptr<Event> createEvent(std::u16string_view name, bool manualReset, bool initiallySet) = 0;

  virtual WaitResult wait(Event& event, std::uint32_t timeoutMs) = 0;

  virtual WaitAnyResult waitAny(std::span<Event* const> events, std::uint32_t timeoutMs) = 0;

  virtual void sleep(std::uint32_t ms) = 0;
};

}  // namespace tolvane
