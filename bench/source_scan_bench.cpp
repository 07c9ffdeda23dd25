// The project source scan over large texts: the editor buffer read in blocks, only what
// of the current brace token can matter held.
#include <benchmark/benchmark.h>

#include "editor/core/project_source.h"
#include "hostsim/host.h"

namespace {

enum class Shape { DirectiveAbsent, DirectiveNearStart, UnclosedBraceNearStart };

// A project text of about `size` bytes with brace comments throughout; the resource
// directive absent or near the start, or a "{" near the start that never closes.
std::string ProjectText(size_t size, Shape shape) {
  std::string text = "program Sample;\r\n\r\nuses Forms;\r\n\r\n{$R *.RES}\r\n";
  if (shape == Shape::DirectiveNearStart) text += "{$R VERSION.RES}\r\n";
  if (shape == Shape::UnclosedBraceNearStart) text += "{ never closed\r\n";
  // No "}" may follow an unclosed brace, or it would close it.
  const std::string line = shape == Shape::UnclosedBraceNearStart ? "  Application.Run; // more text\r\n"
                                                                   : "  { a comment in braces } Application.Run; // more text\r\n";
  while (text.size() < size) text += line;
  return text + "end.\r\n";
}

void ScanSource(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0)) << 20;
  const auto shape = static_cast<Shape>(state.range(1));
  hostsim::Host host;
  host.projectFileName = "C:\\Work\\Sample.dpr";
  host.OpenModule(host.projectFileName, ProjectText(size, shape));
  // The text is never changed: checked only where the directive is present.
  const bool include = shape == Shape::DirectiveNearStart;
  editor::SourceUpdate last;
  int64_t bytes = 0;
  for (auto _ : state) {
    last = editor::UpdateProjectSource(*host.services(), include, "C:\\Work\\Version.rc", base::IsCp932LeadByte);
    bytes += last.charsRead;
  }
  state.SetBytesProcessed(bytes);
  state.counters["largest_token"] = static_cast<double>(last.largestToken);
  state.counters["chars_read"] = static_cast<double>(last.charsRead);
}

}  // namespace

// Arguments: text size in MiB; the directive absent (0), present near the start (1), or
// an unclosed brace near the start (2).
BENCHMARK(ScanSource)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Args({16, 0})
    ->Args({16, 1})
    ->Args({16, 2})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
