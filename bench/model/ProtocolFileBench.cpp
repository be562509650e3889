// Reading and writing generated protocol files of 1,000 to 100,000 commands, beside
// Debian's inih reading the same files. Every timed iteration is what a user pays:
// from opening the file to the freed result, on the allocator as it comes.
#include <benchmark/benchmark.h>
#include <ini.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "QuietPlatform.h"
#include "SampleProtocol.h"
#include "model/ProtocolNode.h"
#include "model/ProtocolWriter.h"
#include "model/TextBuffer.h"

namespace {

using SampleProtocol::Params;

struct Sample {
    std::string path;
    std::size_t bytes = 0;
};

std::map<std::pair<int, int>, Sample>& Samples() {
    static std::map<std::pair<int, int>, Sample> samples;
    return samples;
}

void RemoveSamples() {
    for (const auto& entry : Samples()) {
        std::remove(entry.second.path.c_str());
    }
}

// The sample file of this kind and size, written on first use.
const Sample& SampleOf(Params kind, int commands) {
    auto key = std::make_pair(static_cast<int>(kind), commands);
    auto found = Samples().find(key);
    if (found != Samples().end()) {
        return found->second;
    }
    std::string text = SampleProtocol::Text(commands, kind);
    Sample sample;
    sample.path = (std::filesystem::temp_directory_path() /
                   ("tessel-bench-" + std::string(SampleProtocol::KindName(kind)) + "-" +
                    std::to_string(commands) + ".pcl"))
                      .string();
    sample.bytes = text.size();
    std::ofstream(sample.path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    return Samples().emplace(key, std::move(sample)).first->second;
}

Params KindOf(const benchmark::State& state) {
    return state.range(0) == 0 ? Params::Repeating : Params::Unique;
}

void Report(benchmark::State& state, std::size_t bytes, int commands) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["bytes/command"] = static_cast<double>(bytes) / commands;
}

// Opening a file as the editor does, both reading steps with the parameters parsed,
// and closing it again: the protocol is freed inside the timing.
void BM_Read(benchmark::State& state) {
    int commands = static_cast<int>(state.range(1));
    const Sample& sample = SampleOf(KindOf(state), commands);
    QuietPlatform platform;
    for (auto _ : state) {
        ProtocolNode node;
        if (!node.ReadDevice(sample.path) || !node.ReadCommands() ||
            node.m_poCmndList->GetCount() != commands) {
            state.SkipWithError("read failed");
        }
    }
    if (platform.messages != 0) {
        state.SkipWithError("the sample gave warnings");
    }
    Report(state, sample.bytes, commands);
}

// What the inih peer keeps: every section name once, and every key and value.
struct InihCopy {
    std::vector<char*> sections;
    std::vector<std::pair<char*, char*>> entries;
    ~InihCopy() {
        for (auto& [key, value] : entries) {
            std::free(key);
            std::free(value);
        }
        for (char* section : sections) {
            std::free(section);
        }
    }
};

char* Duplicate(const char* text) {
    std::size_t size = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(std::malloc(size));
    if (copy != nullptr) {
        std::memcpy(copy, text, size);
    }
    return copy;
}

int CopyEntry(void* user, const char* section, const char* name, const char* value) {
    auto* copy = static_cast<InihCopy*>(user);
    if (copy->sections.empty() || std::strcmp(copy->sections.back(), section) != 0) {
        copy->sections.push_back(Duplicate(section));
    }
    copy->entries.emplace_back(Duplicate(name), Duplicate(value));
    return 1;
}

// The reference: inih reading the same file and copying everything, freed inside the
// timing too.
void BM_Inih(benchmark::State& state) {
    int commands = static_cast<int>(state.range(1));
    const Sample& sample = SampleOf(KindOf(state), commands);
    for (auto _ : state) {
        InihCopy copy;
        if (ini_parse(sample.path.c_str(), CopyEntry, &copy) != 0) {
            state.SkipWithError("inih failed");
        }
        benchmark::DoNotOptimize(copy.entries.data());
    }
    Report(state, sample.bytes, commands);
}

// Rendering a read protocol as a save does: measure, allocate, render.
void BM_WriteText(benchmark::State& state) {
    int commands = static_cast<int>(state.range(1));
    const Sample& sample = SampleOf(KindOf(state), commands);
    QuietPlatform platform;
    ProtocolNode node;
    if (!node.ReadDevice(sample.path) || !node.ReadCommands()) {
        state.SkipWithError("read failed");
        return;
    }
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
    if (bytes != sample.bytes) {
        state.SkipWithError("the rendered text differs from the file");
    }
    Report(state, bytes, commands);
}

// The whole save: a temporary file forced to disk and renamed over the target.
void BM_WriteFile(benchmark::State& state) {
    int commands = static_cast<int>(state.range(1));
    const Sample& sample = SampleOf(KindOf(state), commands);
    QuietPlatform platform;
    ProtocolNode node;
    if (!node.ReadDevice(sample.path) || !node.ReadCommands()) {
        state.SkipWithError("read failed");
        return;
    }
    std::string path = sample.path + ".out";
    for (auto _ : state) {
        TextBuffer buffer;
        if (!WriteProtocolFile(node, buffer, path)) {
            state.SkipWithError("save failed");
        }
    }
    std::remove(path.c_str());
    Report(state, sample.bytes, commands);
}

// Both kinds of file (0 repeating parameters, 1 unique ones) at each size.
void Sizes(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"unique", "commands"});
    for (int kind : {0, 1}) {
        for (int commands : {1000, 10000, 100000}) {
            bench->Args({kind, commands});
        }
    }
    bench->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Read)->Apply(Sizes);
BENCHMARK(BM_Inih)->Apply(Sizes);
BENCHMARK(BM_WriteText)->Apply(Sizes);
// Wall time: most of a small save is waiting for the disk.
BENCHMARK(BM_WriteFile)->Apply(Sizes)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RemoveSamples();
    return 0;
}
