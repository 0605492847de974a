// How long a whole verification takes on missions of growing size.

#include <benchmark/benchmark.h>

#include "mission_generator.h"
#include "verify.h"

namespace {

// Verifies the text once per iteration; a text that does not verify stops the
// benchmark, so no figure ever comes from a run cut short by an error.
void VerifyRepeatedly(benchmark::State& run, const std::string& text) {
  tolvane::TypeNameList names;
  names.TypeNameTable = {"Hurrier", "Lorry 3t", "Hangar"};
  const tolvane::MissionFolderEnvironment environment(names, "");
  for (auto _ : run) {
    tolvane::MissionState state;
    auto result = tolvane::VerifyMissionBytes(state, environment, text);
    if (!result.MissionOk) {
      run.SkipWithError((state.ErrMsg + "at line " + std::to_string(state.LineNo)).c_str());
      break;
    }
    benchmark::DoNotOptimize(result);
  }
  run.SetBytesProcessed(static_cast<std::int64_t>(run.iterations() * text.size()));
}

void BM_VerifyTypicalMission(benchmark::State& run) {
  VerifyRepeatedly(run, tolvane::bench::GenerateMission(tolvane::bench::MissionShape{}));
}
BENCHMARK(BM_VerifyTypicalMission)->Unit(benchmark::kMillisecond);

void BM_VerifyPaddedMission(benchmark::State& run) {
  tolvane::bench::MissionShape shape;
  shape.PadToBytes = static_cast<std::size_t>(run.range(0)) << 20;
  VerifyRepeatedly(run, tolvane::bench::GenerateMission(shape));
}
BENCHMARK(BM_VerifyPaddedMission)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
