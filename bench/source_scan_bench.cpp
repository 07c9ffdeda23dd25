// The project source scan over large texts: one host call per character, only the
// current brace token held.
#include <benchmark/benchmark.h>

#include "editor/project_source.h"
#include "hostsim/host.h"

namespace {

// A project text of about `size` bytes with brace comments throughout, and the resource
// directive either absent or near the start.
std::string ProjectText(size_t size, bool directiveNearStart) {
  std::string text = "program Sample;\r\n\r\nuses Forms;\r\n\r\n{$R *.RES}\r\n";
  if (directiveNearStart) text += "{$R VERSION.RES}\r\n";
  const std::string line = "  { a comment in braces } Application.Run; // more text\r\n";
  while (text.size() < size) text += line;
  return text + "end.\r\n";
}

void ScanSource(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0)) << 20;
  const bool present = state.range(1) != 0;
  hostsim::Host host;
  host.projectFileName = "C:\\Work\\Sample.dpr";
  host.OpenModule(host.projectFileName, ProjectText(size, present));
  editor::SourceUpdate last;
  int64_t bytes = 0;
  for (auto _ : state) {
    // include = true with the directive present, so the text is never changed.
    last = editor::UpdateProjectSource(*host.services(), present, "C:\\Work\\Version.rc", base::IsCp932LeadByte);
    bytes += last.charsRead;
  }
  state.SetBytesProcessed(bytes);
  state.counters["largest_token"] = static_cast<double>(last.largestToken);
  state.counters["chars_read"] = static_cast<double>(last.charsRead);
}

}  // namespace

// Arguments: text size in MiB, directive present near the start (1) or absent (0).
BENCHMARK(ScanSource)->Args({1, 0})->Args({1, 1})->Args({16, 0})->Args({16, 1})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
