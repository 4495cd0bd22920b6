// The matching rules over a desktop of many windows: the part of a window
// wait poll that does not depend on the system.

#include <benchmark/benchmark.h>

#include <string>

#include "base/text.h"
#include "engine/targeting/window_matching.h"
#include "support/fake_desktop.h"

namespace {

tolvane::test::FakeDesktop desktopOf(int windows) {
  tolvane::test::FakeDesktop desktop;
  for (int i = 0; i < windows; ++i) {
    desktop.addWindow(static_cast<tolvane::WindowHandle>(i + 1), u"Document " + tolvane::toU16(std::to_string(i)) + u" - Editor",
                      u"EditorFrame");
  }
  return desktop;
}

void partialMatchOfTheLastWindow(benchmark::State& state) {
  const tolvane::test::FakeDesktop desktop = desktopOf(static_cast<int>(state.range(0)));
  const std::u16string wanted = u"Document " + tolvane::toU16(std::to_string(state.range(0) - 1));
  for (auto _ : state) {
    benchmark::DoNotOptimize(tolvane::matchMainWindow(desktop.windows, wanted, u"Frame", true));
  }
}
BENCHMARK(partialMatchOfTheLastWindow)->Arg(50)->Arg(1000);

void windowExistsMissing(benchmark::State& state) {
  tolvane::test::FakeDesktop desktop = desktopOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(tolvane::windowExists(desktop, u"No such window", true, false));
  }
}
BENCHMARK(windowExistsMissing)->Arg(50)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
