// How long one poll of a chore-list window wait takes: enumerateMainWindows
// and windowExists with 50 extra test windows open. Built with the tests
// but not run by ctest:
//   scripts/wine-run PREFIX targeting_enumeration_bench.exe [ROUNDS]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "child_program.h"
#include "engine/targeting/window_matching.h"
#include "platform/win32/targeting/process_enumerator.h"
#include "platform/win32/targeting/window_enumeration.h"
#include "platform/win32/targeting/window_iterator.h"
#include "platform/win32/targeting/win32_desktop.h"
#include "win32_common/wide.h"

namespace {

template <typename Body>
double microsecondsPerRound(int rounds, Body body) {
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < rounds; ++i) body();
  QueryPerformanceCounter(&end);
  return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) / rounds;
}

// For comparison: every process opened with its whole module list read,
// and one EnumWindows pass per process, as a literal reading of the rules
// would do.
std::size_t perProcessPasses() {
  using namespace tolvane::win32;
  std::size_t kept = 0;
  CProcessEnumerator processes;
  for (DWORD id = processes.next(); id != 0; id = processes.next()) {
    ProcessHandle process(id);
    if (!process || !CModuleEnumerator(process.get()).next()) continue;
    CMainWindowIterator windows(id);
    kept += windows.collect();
  }
  return kept;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tolvane;
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
  const std::wstring title = L"Bench Window " + std::to_wstring(GetCurrentProcessId());
  test::ChildProgram windows(L"\"" + test::testProgramFolder() + L"targeting_target_app.exe\" \"" + title + L"\" 50");
  if (!test::waitForWindow(L"TolvaneTargetApp", (title + L" 50").c_str(), 30000)) {
    std::fprintf(stderr, "the test windows did not appear\n");
    return 1;
  }

  std::size_t listed = win32::enumerateMainWindows().size();
  const double enumerate = microsecondsPerRound(rounds, [&] { listed = win32::enumerateMainWindows().size(); });
  win32::Win32Desktop desktop;
  const std::u16string present = win32::fromWide(title + L" 25");
  bool found = false;
  const double exists = microsecondsPerRound(rounds, [&] { found = windowExists(desktop, present, false, false); });
  const double missing =
      microsecondsPerRound(rounds, [&] { found |= windowExists(desktop, u"No such window", true, false); });

  std::size_t kept = 0;
  const double reference = microsecondsPerRound(rounds, [&] { kept = perProcessPasses(); });
  const double again = microsecondsPerRound(rounds, [&] { listed = win32::enumerateMainWindows().size(); });

  std::printf("main windows listed: %zu (rounds: %d)\n", listed, rounds);
  std::printf("enumerateMainWindows:          %9.1f us per call\n", enumerate);
  std::printf("windowExists (exact, present): %9.1f us per call\n", exists);
  std::printf("windowExists (partial, absent):%9.1f us per call\n", missing);
  std::printf("per-process passes (reference):%9.1f us per call (%zu windows)\n", reference, kept);
  std::printf("enumerateMainWindows (again):  %9.1f us per call\n", again);
  return found ? 0 : 2;
}
