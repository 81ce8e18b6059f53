// m1view-bench-explain: the byte explainer on the 1 MB Newdos/80 DMK: building its tables once
// per image (with the listing and the file system it reads from), and one explanation, as the hex
// window asks for at every mouse move.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/images.h"
#include "bench/report.h"
#include "core/container/listing.h"
#include "core/dos/filesystem.h"
#include "core/explain/explain.h"

namespace m1::bench {
namespace {

struct Explained {
  Listing listing;
  std::optional<FileSystem> fs;
  explicit Explained(const BenchImage& image)
      : listing(ListSectors(image.bytes)), fs(ReadFileSystem(image.bytes, listing)) {}
};

void Build(benchmark::State& state) {
  const BenchImage& image = Images().Get(Kind::Dmk);
  const Explained e(image);
  for (auto _ : state) {
    const ByteExplainer explainer(image.bytes, e.listing, e.fs ? &*e.fs : nullptr);
    benchmark::DoNotOptimize(&explainer);
  }
}

// Offsets spread over the whole file by a stride prime to every field length, so that the calls
// meet headers, pointers, ID fields, data and gaps alike.
void Explain(benchmark::State& state) {
  const BenchImage& image = Images().Get(Kind::Dmk);
  const Explained e(image);
  const ByteExplainer explainer(image.bytes, e.listing, e.fs ? &*e.fs : nullptr);
  const auto size = static_cast<std::int64_t>(image.bytes.size());
  std::int64_t at = 0;
  for (auto _ : state) {
    std::string text = explainer.Explain(at);
    benchmark::DoNotOptimize(text.data());
    at = (at + 7919) % size;
  }
}

}  // namespace
}  // namespace m1::bench

int main(int argc, char** argv) {
  using namespace m1::bench;
  const std::vector<Row> rows = {
      Measured("byte explainer tables, 1 MB DMK (once per image)", "ExplainerBuild/DMK_80x2_DD",
               Build, 2000),
      Measured("one byte explained (each mouse move)", "Explain/DMK_80x2_DD", Explain, 10),
  };
  return RunAndReport(argc, argv, rows);
}
