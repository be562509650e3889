// Reading and writing protocol files of 100 to 100,000 commands of about 250 bytes
// each, against Debian's inih parsing the same bytes as the reference.
#include <benchmark/benchmark.h>
#include <ini.h>
#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "QuietPlatform.h"
#include "model/ProtocolNode.h"
#include "model/ProtocolWriter.h"
#include "model/TextBuffer.h"

namespace {

// A switcher-like protocol: every command with a description, message, retries,
// timeout, acknowledgement, two parameters and three bytes, about 250 bytes.
void Fill(ProtocolNode& node, int commands) {
    node.m_strVersion = "1.04";
    node.m_strDate = "Monday, December 07, 2026";
    node.m_strDescription = "Benchmark Matrix Switcher";
    node.m_strLocation = "Local";
    node.m_strMaker = "Acme";
    node.m_strModel = "MX-1616";
    node.m_strSupported = "5.00";
    node.m_strType = "Video Switcher";
    node.m_strInterface = "Serial";
    node.m_strDataBits = "8";
    node.m_strStopBits = "1";
    node.m_strParity = "N";
    node.m_strBaudRate = "9600";
    node.m_strProtocol = "Custom";
    for (int i = 0; i < commands; ++i) {
        auto command = Command::Create("Route:In " + std::to_string(i) + " to out");
        command->m_strDescription = "Routes an input to an output";
        command->m_strMessage = "@byte(param1)@byte(param2)" + std::to_string(i % 97);
        command->m_strRetries = "3";
        command->m_strTimeout = "500";
        command->m_strMessageAck = "OK";
        command->m_oParam[0].m_strText = "byte|var, \"Input 1-16\"";
        command->m_oParam[1].m_strText = "byte&contains(0x01), \"Output number\"";
        command->m_nParams = 2;
        command->m_strByte[0] = "0x52";
        command->m_strByte[1] = "0x0" + std::to_string(i % 10);
        command->m_strByte[2] = "0x0D";
        command->m_nBytes = 3;
        node.m_poCmndList->Append(std::move(command));
    }
}

// The protocol of each size, written once to a file.
struct Sample {
    std::string path;
    std::string text;
};

std::vector<std::pair<int, Sample>>& Samples() {
    static std::vector<std::pair<int, Sample>> samples;
    return samples;
}

void RemoveSamples() {
    for (const auto& entry : Samples()) {
        std::remove(entry.second.path.c_str());
    }
}

const Sample& SampleOf(int commands) {
    std::vector<std::pair<int, Sample>>& samples = Samples();
    for (const auto& [count, sample] : samples) {
        if (count == commands) {
            return sample;
        }
    }
    QuietPlatform platform;
    ProtocolNode node;
    Fill(node, commands);
    Sample sample;
    sample.path = (std::filesystem::temp_directory_path() /
                   ("tessel-bench-" + std::to_string(commands) + ".pcl"))
                      .string();
    TextBuffer buffer;
    if (!WriteProtocolFile(node, buffer, sample.path)) {
        std::abort();
    }
    std::ifstream in(sample.path, std::ios::binary);
    sample.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    samples.emplace_back(commands, std::move(sample));
    return samples.back().second;
}

void Report(benchmark::State& state, std::size_t bytes, int commands) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["bytes/command"] = static_cast<double>(bytes) / commands;
}

// Opening a file as the editor does: both reading steps, parameters parsed. The
// protocol is freed outside the timing, as closing the document would.
void BM_Read(benchmark::State& state) {
    int commands = static_cast<int>(state.range(0));
    const Sample& sample = SampleOf(commands);
    QuietPlatform platform;
    for (auto _ : state) {
        auto node = std::make_unique<ProtocolNode>();
        if (!node->ReadDevice(sample.path) || !node->ReadCommands() ||
            node->m_poCmndList->GetCount() != commands) {
            state.SkipWithError("read failed");
        }
        state.PauseTiming();
        node.reset();
        state.ResumeTiming();
    }
    Report(state, sample.text.size(), commands);
}

// The same with freeing the protocol timed too.
void BM_ReadAndFree(benchmark::State& state) {
    int commands = static_cast<int>(state.range(0));
    const Sample& sample = SampleOf(commands);
    QuietPlatform platform;
    for (auto _ : state) {
        ProtocolNode node;
        if (!node.ReadDevice(sample.path) || !node.ReadCommands() ||
            node.m_poCmndList->GetCount() != commands) {
            state.SkipWithError("read failed");
        }
    }
    Report(state, sample.text.size(), commands);
}

struct Entry {
    std::string key;
    std::string value;
};

int CopyEntry(void* user, const char*, const char* name, const char* value) {
    static_cast<std::vector<Entry>*>(user)->push_back({name, value});
    return 1;
}

// The reference: inih on the same bytes in memory, copying every key and value.
// Like BM_Read, the copies are freed outside the timing.
void BM_InihParse(benchmark::State& state) {
    int commands = static_cast<int>(state.range(0));
    const Sample& sample = SampleOf(commands);
    for (auto _ : state) {
        auto entries = std::make_unique<std::vector<Entry>>();
        if (ini_parse_string(sample.text.c_str(), CopyEntry, entries.get()) != 0) {
            state.SkipWithError("inih failed");
        }
        state.PauseTiming();
        entries.reset();
        state.ResumeTiming();
    }
    Report(state, sample.text.size(), commands);
}

// The same with freeing the copies timed too.
void BM_InihParseAndFree(benchmark::State& state) {
    int commands = static_cast<int>(state.range(0));
    const Sample& sample = SampleOf(commands);
    for (auto _ : state) {
        std::vector<Entry> entries;
        if (ini_parse_string(sample.text.c_str(), CopyEntry, &entries) != 0) {
            state.SkipWithError("inih failed");
        }
        benchmark::DoNotOptimize(entries.data());
    }
    Report(state, sample.text.size(), commands);
}

// Rendering as a save does: measure, allocate, render.
void BM_WriteText(benchmark::State& state) {
    int commands = static_cast<int>(state.range(0));
    QuietPlatform platform;
    ProtocolNode node;
    Fill(node, commands);
    std::size_t bytes = 0;
    for (auto _ : state) {
        TextBuffer buffer;
        WriteProtocolText(node, buffer);
        if (!buffer.Allocate(buffer.GetUsed() + 1) || !WriteProtocolText(node, buffer)) {
            state.SkipWithError("render failed");
        }
        bytes = buffer.GetWritten();
        benchmark::DoNotOptimize(buffer.GetData());
    }
    Report(state, bytes, commands);
}

// The whole save, to a temporary file forced to disk and renamed over the target.
void BM_WriteFile(benchmark::State& state) {
    int commands = static_cast<int>(state.range(0));
    const Sample& sample = SampleOf(commands);
    QuietPlatform platform;
    ProtocolNode node;
    Fill(node, commands);
    std::string path = sample.path + ".out";
    for (auto _ : state) {
        TextBuffer buffer;
        if (!WriteProtocolFile(node, buffer, path)) {
            state.SkipWithError("save failed");
        }
    }
    std::remove(path.c_str());
    Report(state, sample.text.size(), commands);
}

void Sizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Read)->Apply(Sizes);
BENCHMARK(BM_InihParse)->Apply(Sizes);
BENCHMARK(BM_ReadAndFree)->Apply(Sizes);
BENCHMARK(BM_InihParseAndFree)->Apply(Sizes);
BENCHMARK(BM_WriteText)->Apply(Sizes);
// Wall time: most of a small save is waiting for the disk.
BENCHMARK(BM_WriteFile)->Apply(Sizes)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    // An editor keeps its heap. Giving memory back to the system after every
    // iteration (glibc's default) makes the next one fault it all in again, and
    // on a virtual machine where a page fault costs microseconds that measures
    // the host, not this code. Both sides run under the same setting.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RemoveSamples();
    return 0;
}
