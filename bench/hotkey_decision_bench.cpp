// The keyboard hook's decision for one key with a large library: 10,000
// chores and 2,000 lists of five steps, every chore and list bound to a hot
// key and every fifth step waiting for one. Allocations per key are counted.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/hotkeys/hot_key_hook.h"
#include "engine/hotkeys/hot_key_matches.h"
#include "support/fake_desktop.h"
#include "support/fake_sounds.h"
#include "support/fake_window_actions.h"
#include "support/library_builders.h"

// The counting operator new below pairs with free(); GCC cannot see that
// through inlining.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<long long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tolvane::test {
namespace {

constexpr int kChores = 10000;
constexpr int kLists = 2000;
constexpr std::uint16_t kBoundKeys[] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O',
                                        'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', 0x70, 0x71, 0x72, 0x73};

HotKeyCode bindingOf(int i) {
  const std::uint16_t key = kBoundKeys[i % std::size(kBoundKeys)];
  // Ctrl, Alt, Ctrl+Alt, Alt+Shift, Ctrl+Shift: never Ctrl+Alt+Shift.
  constexpr std::uint16_t kModifiers[] = {2, 4, 6, 5, 3};
  return {key, kModifiers[(i / std::size(kBoundKeys)) % std::size(kModifiers)]};
}

class NullEvent : public Event {
 public:
  bool set() override { return true; }
  bool reset() override { return true; }
};

class NullSync : public Sync {
 public:
  std::shared_ptr<Event> createEvent(std::u16string_view, bool, bool) override { return std::make_shared<NullEvent>(); }
  WaitResult wait(Event&, std::uint32_t) override { return WaitResult::Signaled; }
  WaitAnyResult waitAny(std::span<Event* const>, std::uint32_t) override { return {0}; }
  void sleep(std::uint32_t) override {}
};

struct Rig {
  ChoreLibrary library;
  NullSync sync;
  ChoreCommandSlot slot{std::make_shared<NullEvent>(), nullptr};
  RecordingLog log;
  ChoreListLauncher launcher{library, sync, log};
  KeyCapture capture;
  FakeSounds sounds;
  FakeWindowActions windows;
  HotKeyHook hook{HotKeyHookServices{library, slot, launcher, capture, sounds, log, windows, nullptr}};

  Rig() {
    // A list started by a key stays "in progress": its thread never runs.
    launcher.setListThreads([](std::function<void()>) { return 0; }, [](ChoreListId) {});
    library.edit([](LibraryContents& contents) {
      for (int i = 0; i < kChores; ++i) {
        Chore chore = makeChore(u"chore " + std::u16string(1, u'a' + i % 26) + std::u16string(i / 26 + 1, u'x'));
        chore.object = u"C:\\Some\\Folder\\Somewhere\\program.exe";
        chore.hotKey = bindingOf(i);
        contents.chores.push_back(std::move(chore));
      }
      for (int i = 0; i < kLists; ++i) {
        std::vector<Chore> steps;
        for (int s = 0; s < 5; ++s) {
          Chore step = makeStep(contents.chores[static_cast<std::size_t>((i * 5 + s) % kChores)],
                                s == 4 ? WAIT_HOTKEY : DELAY);
          if (s == 4) step.hotKeyChore = bindingOf(i + 7);
          steps.push_back(std::move(step));
        }
        ChoreList list = makeList(u"list " + std::u16string(i / 26 + 1, u'a' + i % 26), std::move(steps));
        list.hotKey = bindingOf(i + 3);
        contents.lists.push_back(std::move(list));
      }
    });
    hook.setSuspended(false);
    hook.onKey({0, 'K', 0}, {true, true, true});  // builds the index once
  }
};

Rig& rig() {
  static Rig instance;
  return instance;
}

void reportAllocations(benchmark::State& state, long long before) {
  state.counters["allocs/key"] = benchmark::Counter(static_cast<double>(allocations.load() - before) /
                                                    static_cast<double>(state.iterations()));
}

// A bound key pressed with modifiers no binding asks for: every binding of
// the key is looked at and none fires.
void BM_HookBoundKeyNoMatch(benchmark::State& state) {
  Rig& r = rig();
  const long long before = allocations.load();
  for (auto _ : state) benchmark::DoNotOptimize(r.hook.onKey({0, 'K', 0}, {true, true, true}));
  reportAllocations(state, before);
}
BENCHMARK(BM_HookBoundKeyNoMatch);

// A key with Ctrl that nothing is bound to.
void BM_HookUnboundKey(benchmark::State& state) {
  Rig& r = rig();
  const long long before = allocations.load();
  for (auto _ : state) benchmark::DoNotOptimize(r.hook.onKey({0, '5', 0}, {true, false, false}));
  reportAllocations(state, before);
}
BENCHMARK(BM_HookUnboundKey);

// Ordinary typing: no Ctrl or Alt.
void BM_HookPlainTyping(benchmark::State& state) {
  Rig& r = rig();
  const long long before = allocations.load();
  for (auto _ : state) benchmark::DoNotOptimize(r.hook.onKey({0, 'K', 0}, {false, false, false}));
  reportAllocations(state, before);
}
BENCHMARK(BM_HookPlainTyping);

// A chore's hot key: the chore is copied into the command slot.
void BM_HookChoreMatch(benchmark::State& state) {
  Rig& r = rig();
  for (auto _ : state) benchmark::DoNotOptimize(r.hook.onKey({0, 'K', 0}, {true, false, false}));
}
BENCHMARK(BM_HookChoreMatch);

// For comparison: the same question answered by scanning the library.
void BM_ScanLibraryNoMatch(benchmark::State& state) {
  Rig& r = rig();
  std::vector<HotKeyMatch> chores, lists;
  for (auto _ : state) {
    chores.clear();
    lists.clear();
    benchmark::DoNotOptimize(findHotKeyMatches(r.library, 'K', chores, lists));
  }
}
BENCHMARK(BM_ScanLibraryNoMatch);

// What the first key after an edit pays.
void BM_IndexRebuild(benchmark::State& state) {
  Rig& r = rig();
  for (auto _ : state) {
    benchmark::DoNotOptimize(r.library.read([](const LibraryContents& contents) { return HotKeyTable(contents).size(); }));
  }
}
BENCHMARK(BM_IndexRebuild);

}  // namespace
}  // namespace tolvane::test

BENCHMARK_MAIN();
