// What a user waits for when printing a protocol's listing: building the listing and
// counting its pages at the start of every print job and preview (10,000 commands),
// and the whole print job of 1,000 commands into a PDF file, in the editor and as a
// `pcltool listing --pdf` process, from its start to its exit. The printer is Qt's
// PDF printer at its high resolution, as the editor's is.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "GuiBenchMain.h"
#include "QuietPlatform.h"
#include "SampleProtocol.h"
#include "document/CTesselDoc.h"
#include "view/ListingPrintJob.h"

extern char** environ;

namespace {

// A protocol of `commands` commands read from its file, with a listing print job on
// it printing into a PDF file of the folder.
class ListingJob {
public:
    explicit ListingJob(int commands) {
        m_strFile = m_oFolder.filePath(QStringLiteral("big.pcl")).toStdString();
        std::ofstream(m_strFile, std::ios::binary)
            << SampleProtocol::Text(commands, SampleProtocol::Params::Repeating);
        m_strPdf = m_oFolder.filePath(QStringLiteral("big.pdf")).toStdString();
        QPrinter& printer = m_oPrinter;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(QPrinter(QPrinter::HighResolution).resolution());
        printer.setOutputFileName(QString::fromStdString(m_strPdf));
        if (m_oDocument.OpenProtocolFile(m_strFile) && m_oDocument.GetCommandCount() == commands) {
            m_poJob = std::make_unique<ListingPrintJob>(m_oDocument, printer);
        }
    }

    QuietPlatform m_oPlatform;
    QPrinter m_oPrinter;
    QTemporaryDir m_oFolder;
    std::string m_strFile;
    std::string m_strPdf;
    CTesselDoc m_oDocument;
    std::unique_ptr<ListingPrintJob> m_poJob;
};

// Made on first use and dropped before the application object goes.
std::map<int, std::unique_ptr<ListingJob>>& Jobs() {
    static std::map<int, std::unique_ptr<ListingJob>> jobs;
    return jobs;
}

ListingJob* Job(benchmark::State& state) {
    const int commands = static_cast<int>(state.range(0));
    std::unique_ptr<ListingJob>& job = Jobs()[commands];
    if (!job) {
        job = std::make_unique<ListingJob>(commands);
    }
    if (!job->m_poJob) {
        state.SkipWithError("the protocol was not read as written");
        return nullptr;
    }
    return job.get();
}

void Report(benchmark::State& state, const ListingJob& job, int pages) {
    state.counters["pages"] = pages;
    if (job.m_oPlatform.messages > 0) {
        state.SkipWithError("a message was shown");
    }
}

// Begin printing as a preview runs it: the listing built into the document's
// buffer, the fonts made, the pages laid out and counted; then end printing,
// which frees it all.
void BM_BuildListingAndCountPages(benchmark::State& state) {
    ListingJob* job = Job(state);
    if (job == nullptr) {
        return;
    }
    int pages = 0;
    for (auto _ : state) {
        CPrintInfo info;
        info.m_bPreview = true;
        job->m_poJob->OnPreparePrinting(info);
        if (!job->m_poJob->OnBeginPrinting(info)) {
            state.SkipWithError("the listing was not built");
        }
        pages = info.m_nMaxPage;
        job->m_poJob->OnEndPrinting(info);
    }
    Report(state, *job, pages);
}

// Print without the dialog: every page drawn into the PDF file and the file closed.
void BM_PrintListingToPdf(benchmark::State& state) {
    ListingJob* job = Job(state);
    if (job == nullptr) {
        return;
    }
    int pages = 0;
    for (auto _ : state) {
        CPrintInfo info;
        info.m_bDirect = true;
        job->m_poJob->OnPreparePrinting(info);
        if (!job->m_poJob->Run(info)) {
            state.SkipWithError("nothing was printed");
        }
        pages = info.m_nMaxPage;
    }
    state.counters["bytes"] =
        static_cast<double>(QFileInfo(QString::fromStdString(job->m_strPdf)).size());
    Report(state, *job, pages);
}

// pcltool listing FILE --pdf OUT as a user runs it: the whole process, the renderer
// it starts included, until it has exited.
void BM_PclToolListingPdf(benchmark::State& state) {
    ListingJob* job = Job(state);
    if (job == nullptr) {
        return;
    }
    std::string program = TESSEL_PCLTOOL;
    std::vector<std::string> args = {program, "listing", job->m_strFile, "--pdf", job->m_strPdf};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0 ||
            ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("pcltool listing --pdf failed");
            break;
        }
    }
    state.counters["bytes"] =
        static_cast<double>(QFileInfo(QString::fromStdString(job->m_strPdf)).size());
}

} // namespace

BENCHMARK(BM_BuildListingAndCountPages)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintListingToPdf)->Arg(1'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PclToolListingPdf)->Arg(1'000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv, [] { Jobs().clear(); });
}
