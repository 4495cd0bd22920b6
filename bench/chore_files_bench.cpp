// Loading and saving the chore files at two library sizes (the larger ten
// times the smaller: both must scale linearly), parsing the chore file with
// pugixml as the reference peer, and tolvanectl lint on the files.
#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "library/chore_files.h"
#include "library/xml_doc.h"
#include "platform/key_names.h"
#include "platform/system_clock.h"
#include "support/fake_files.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"
#include "tools/tolvanectl/tolvanectl.h"

namespace tolvane {
namespace {

struct Fixture {
  SystemClock clock;
  test::RecordingLogSink log;
  test::FakeFiles files;
  ChoreLibrary library;
  std::size_t bytes = 0;

  explicit Fixture(int scale) {
    library.edit([&](LibraryContents& c) { c = test::benchmarkLibrary(scale, clock); });
    saveChoreFiles(library, files, clock);
    bytes = files.bytes(kChoreFileName)->size() + files.bytes(kChoreListFileName)->size();
  }
  std::string choreFileBytes() const { return *files.bytes(kChoreFileName); }
};

void BM_LoadChoreFiles(benchmark::State& state) {
  Fixture fixture(static_cast<int>(state.range(0)));
  const ChoreFileServices services{fixture.files, fixture.clock, fixture.log};
  for (auto _ : state) {
    ChoreLibrary library;
    const ChoreFilesReport report = readChoreFiles(library, services);
    benchmark::DoNotOptimize(report.count);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture.bytes));
}
BENCHMARK(BM_LoadChoreFiles)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_SaveChoreFiles(benchmark::State& state) {
  Fixture fixture(static_cast<int>(state.range(0)));
  test::FakeFiles target;
  for (auto _ : state) {
    const ChoreFilesSaved saved = saveChoreFiles(fixture.library, target, fixture.clock);
    benchmark::DoNotOptimize(saved.chores);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture.bytes));
}
BENCHMARK(BM_SaveChoreFiles)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The whole command as a user waits for it: both files read, every rule,
// the report. The benchmark library has findings to report: a third of its
// chores share one hot key, and every list has days ("Mon,Tue", which the
// scheduler does not read as days) or days without a time.
void BM_LintChoreFiles(benchmark::State& state) {
  Fixture fixture(static_cast<int>(state.range(0)));
  PortableKeyNames keyNames;
  const ToolServices services{fixture.files, keyNames, fixture.clock, u'/'};
  const std::vector<std::u16string> args{u"lint"};
  for (auto _ : state) {
    const ToolResult result = runTolvanectl(args, services);
    benchmark::DoNotOptimize(result.out.data());
  }
  const std::u16string report = runTolvanectl(args, services).out;
  state.counters["findings"] = static_cast<double>(std::count(report.begin(), report.end(), u'\n') - 1);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture.bytes));
}
BENCHMARK(BM_LintChoreFiles)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The markup alone, from the file's bytes: our index against pugixml's DOM.
void BM_ParseChoreFile_CXmlDoc(benchmark::State& state) {
  const std::string bytes = Fixture(static_cast<int>(state.range(0))).choreFileBytes();
  for (auto _ : state) {
    CXmlDoc doc;
    const bool parsed = doc.loadText(fromFileBytes(bytes).text);
    benchmark::DoNotOptimize(parsed);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseChoreFile_CXmlDoc)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_ParseChoreFile_Pugixml(benchmark::State& state) {
  const std::string bytes = Fixture(static_cast<int>(state.range(0))).choreFileBytes();
  for (auto _ : state) {
    pugi::xml_document doc;
    const auto result = doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf16_le);
    benchmark::DoNotOptimize(result.status);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseChoreFile_Pugixml)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolvane

// glibc hands buffers above its mmap threshold back to the system on every
// free, so at the larger size each iteration pays page faults for tens of
// megabytes that the smaller size reuses from the heap (on a virtual
// machine that alone makes the 10x run look 15x slower). Keeping freed
// memory makes both sizes measure the same thing: the code's own work.
int main(int argc, char** argv) {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
