// What a recovery copy of a protocol of 100,000 commands costs: the part the user
// waits for (the protocol's bytes taken on the editor's thread while typing is held
// up), and the whole copy until it is on the disk (the bytes, the record, both
// written through the safe writer, forced to the disk and renamed into place, and
// the bytes freed again), which a thread of its own does.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <fstream>
#include <memory>

#include "QuietPlatform.h"
#include "SampleProtocol.h"
#include "document/CTesselDoc.h"
#include "document/RecoveryCopy.h"
#include "document/RecoveryStore.h"

namespace {

constexpr int kCommands = 100'000;

// A document of that size with unsaved changes, and a recovery folder of its own.
struct Fixture {
    QuietPlatform platform;
    QTemporaryDir folder;
    CTesselDoc document;
    RecoveryStore store{folder.filePath(QStringLiteral("recovery"))};
    std::unique_ptr<RecoveryCopy> copy;
    bool ready = false;

    Fixture() {
        const std::string path = folder.filePath(QStringLiteral("big.pcl")).toStdString();
        std::ofstream(path, std::ios::binary)
            << SampleProtocol::Text(kCommands, SampleProtocol::Params::Repeating);
        ready = document.OpenProtocolFile(path) && store.Open() &&
                document.SetDeviceField(DeviceFieldId::Version, "2");
        copy = std::make_unique<RecoveryCopy>(document, store);
    }
};

// Copies the protocol again and again: only what the typing thread pays, or the
// whole copy until it is on disk.
void CopyRepeatedly(benchmark::State& state, bool onDisk) {
    Fixture fixture;
    if (!fixture.ready) {
        state.SkipWithError("the protocol could not be opened");
        return;
    }
    for (auto _ : state) {
        fixture.copy->WriteNow();
        if (!onDisk) {
            state.PauseTiming();
        }
        fixture.store.WaitForWrites();
        if (!onDisk) {
            state.ResumeTiming();
        }
    }
}

void BM_RecoveryCopyWhileTyping(benchmark::State& state) {
    CopyRepeatedly(state, false);
}

void BM_RecoveryCopyOnDisk(benchmark::State& state) {
    CopyRepeatedly(state, true);
}

} // namespace

BENCHMARK(BM_RecoveryCopyWhileTyping)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryCopyOnDisk)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
