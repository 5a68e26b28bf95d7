// Loading and saving a whole 16 KiB bank with its colour sidecar.
#include <benchmark/benchmark.h>

#include <QString>
#include <string>

#include "Benchmarks.h"
#include "files/SpriteFile.h"
#include "model/EditorState.h"
#include "model/SpriteBank.h"

namespace kelvane::bench {
namespace {

void LoadBench(benchmark::State& st, std::string path) {
  SpriteBank bank;
  EditorState state;
  if (SaveSpriteFile(path, bank, kBankBytes, state)) {
    st.SkipWithError("cannot write the bank to load");
    return;
  }
  for (auto _ : st) {
    const auto records = ReadSpriteFile(path);
    if (!records) {
      st.SkipWithError("cannot read the bank");
      return;
    }
    ApplySpriteFile(bank, *records);
    if (const auto sidecar = ReadSidecar(path)) ApplySidecar(state, *sidecar);
    benchmark::DoNotOptimize(bank.Bytes().data());
    benchmark::ClobberMemory();
  }
}

// Each save writes a new file beside the old one, syncs it and renames it over the target,
// for the bank and again for the sidecar.
void SaveBench(benchmark::State& st, std::string path) {
  SpriteBank bank;
  EditorState state;
  for (auto _ : st) {
    if (SaveSpriteFile(path, bank, kBankBytes, state)) {
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
