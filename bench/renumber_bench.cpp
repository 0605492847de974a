// How long renumbering takes on a large editor text: 500 definitions out of
// order, then a trigger section of 200,000 lines with 20,000 references.

#include <benchmark/benchmark.h>

#include <string>

#include "renumber.h"

namespace {

std::string LargeText() {
  std::string text = "// renumbering benchmark\n";
  for (int i = 0; i < tolvane::RenumberCapacity; ++i) {
    text += ".ENTITY\n.Type Lighthouse\n.TagIdentifier " + std::to_string(3 * (tolvane::RenumberCapacity - i)) +
            "\n.EndEntity\n";
  }
  for (int i = 0; i < 20000; ++i) {
    text += ".Trigger\n.Name Watch .EndString\n.Check\n.OBJECTDAMAGED\n.TagIdentifier " +
            std::to_string(3 * (1 + i % tolvane::RenumberCapacity)) + "\n.Amount 5\n.EndCheck\n.Action\n.ENDSIM\n"
            ".EndAction\n";
  }
  return text + ".MissionSummary\nA large invented mission.\n.EndMission\n";
}

void BM_RenumberLargeText(benchmark::State& run) {
  const std::string text = LargeText();
  for (auto _ : run) {
    tolvane::RenumberResult result = tolvane::Renumber(text);
    if (result.ErrNo != 0 || result.Edits.empty()) {
      run.SkipWithError(tolvane::RenumberMessage(result).c_str());
      break;
    }
    benchmark::DoNotOptimize(result);
  }
  run.SetBytesProcessed(static_cast<std::int64_t>(run.iterations() * text.size()));
}
BENCHMARK(BM_RenumberLargeText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
