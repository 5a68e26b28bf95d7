// Loading and saving a whole 16 KiB bank with its colour sidecar.
#include <benchmark/benchmark.h>

#include <QString>
#include <string>

#include "Benchmarks.h"
#include "files/SpriteSets.h"
#include "model/SpriteDocument.h"

namespace kelvane::bench {
namespace {

std::optional<FileError> SaveBank(const SpriteDocument& document, const std::string& path) {
  return SaveSpriteSet(*SpriteFormats().Find("spr"), SpriteSetOf(document, kSpriteCount), path);
}

void LoadBench(benchmark::State& st, std::string path) {
  SpriteDocument document;
  if (SaveBank(document, path)) {
    st.SkipWithError("cannot write the bank to load");
    return;
  }
  for (auto _ : st) {
    const auto set = ReadSpriteSet(SpriteFormats(), path);
    if (!set) {
      st.SkipWithError("cannot read the bank");
      return;
    }
    document.Load(set->records, set->colours);
    benchmark::DoNotOptimize(document.Bank().Bytes().data());
    benchmark::ClobberMemory();
  }
}

// Each save writes a new file beside the old one, syncs it and renames it over the target,
// for the bank and again for the sidecar.
void SaveBench(benchmark::State& st, std::string path) {
  const SpriteDocument document;
  for (auto _ : st) {
    if (SaveBank(document, path)) {
      st.SkipWithError("cannot save the bank");
      return;
    }
  }
}

}  // namespace

void RegisterFileBenchmarks(const QString& folder) {
  const std::string load = (folder + QStringLiteral("/load.spr")).toStdString();
  const std::string save = (folder + QStringLiteral("/save.spr")).toStdString();
  benchmark::RegisterBenchmark("SpriteFile/load bank and sidecar", LoadBench, load)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("SpriteFile/save bank and sidecar", SaveBench, save)
      ->Unit(benchmark::kMicrosecond);
}

}  // namespace kelvane::bench
