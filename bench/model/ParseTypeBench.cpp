// ParseType over a realistic mix of parameter texts, as a reader meets them.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "QuietPlatform.h"
#include "model/ParamType.h"

namespace {

const std::vector<std::string>& Texts() {
    static const std::vector<std::string> texts = {
        "port, \"A valid Port\"",
        "datastring|string, \"A valid Data or local String\"",
        "byte, \"Input number 1-16\"",
        "Byte | Word , \"Level\"",
        "input|remoteinput, \"The input to switch\"",
        "byte&contains(0x01,0x02,0x03), \"Channel\"",
        "\"ON\"|\"OFF\", \"Power state\"",
        "timestring|framestring|trackstring, \"Where to cue, as time, frame or track\"",
        "var&bytelabel(Preset)|byte, \"Preset number or a variable holding it\"",
        "word, \"Speed in tenths of a percent (0-1000)\"",
        "ipaddress, \"Address of the unit on the network\"",
        "lcdstring, \"Text for the front panel\"",
    };
    return texts;
}

void BM_ParseType(benchmark::State& state) {
    QuietPlatform platform;
    const auto& texts = Texts();
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& text : texts) {
            ParamType param;
            param.m_strText = text;
            param.ParseType("Switcher:Route");
            benchmark::DoNotOptimize(param.m_nOrCount);
            bytes += text.size();
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_ParseType);

// Texts that trip the warnings: the cost of the message path itself.
void BM_ParseTypeWithWarnings(benchmark::State& state) {
    QuietPlatform platform;
    for (auto _ : state) {
        ParamType param;
        param.m_strText = "bogus|byte|byte|byte|byte|byte&word&time&port, \"x\"";
        param.ParseType("Switcher:Route");
        benchmark::DoNotOptimize(param.m_nOrCount);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseTypeWithWarnings);

} // namespace

BENCHMARK_MAIN();
