#include "tools/ListingPdf.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Where the rendering program is for a pcltool at `self`: beside it, as in the build
// tree, or where the installation puts it; empty when neither holds it.
std::string FindListingPdfProgram(const std::string& self) {
    const fs::path folder = fs::path(self).parent_path();
    for (const fs::path& candidate :
         {folder / kListingPdfProgram, folder / ".." / TESSEL_LISTING_PDF_INSTALLED}) {
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate.lexically_normal().string();
        }
    }
    return {};
}

} // namespace

int RunListingPdf(const std::string& file, const std::string& pdf, std::ostream& err) {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    const std::string program = error ? std::string() : FindListingPdfProgram(self.string());
    if (program.empty()) {
        err << "pcltool: " << kListingPdfProgram
            << " is not installed beside pcltool, so no PDF can be rendered\n";
        return 1;
    }
    std::vector<std::string> args = {program, file, pdf};
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    // Anything buffered goes out before the renderer writes to the same streams.
    err.flush();
    pid_t child = 0;
    int started = ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (started != 0) {
        err << "pcltool: " << program << " could not be started: " << std::strerror(started)
            << "\n";
        return 1;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            err << "pcltool: " << program << " was lost: " << std::strerror(errno) << "\n";
            return 1;
        }
    }
    if (!WIFEXITED(status)) {
        err << "pcltool: " << program << " stopped without finishing the PDF\n";
        return 1;
    }
    return WEXITSTATUS(status);
}
