#include "tools/ListingPdf.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/StandardInput.h"
#include "tools/ToolPlatform.h"

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

namespace {

// Runs `program` with `args` and waits for it; its exit code, or 1 after a line on
// `err` when it could not run to its end.
int RunProgram(const std::string& program, std::vector<std::string> args, std::ostream& err) {
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

// A private file in the temporary folder, removed with this object.
class TemporaryPdf {
public:
    TemporaryPdf() {
        std::error_code error;
        std::string pattern = (fs::temp_directory_path(error) / "pcltool-XXXXXX.pdf").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        m_fd = ::mkostemps(name.data(), 4, O_CLOEXEC);
        if (m_fd >= 0) {
            m_strPath = name.data();
        }
    }
    ~TemporaryPdf() {
        if (m_fd >= 0) {
            ::close(m_fd);
            ::unlink(m_strPath.c_str());
        }
    }
    TemporaryPdf(const TemporaryPdf&) = delete;
    TemporaryPdf& operator=(const TemporaryPdf&) = delete;

    const std::string& Path() const { return m_strPath; }
    // Copies what the file holds now to `out`; false when it cannot be read.
    bool CopyTo(std::ostream& out) const {
        std::ifstream in(m_strPath, std::ios::binary);
        if (!in) {
            return false;
        }
        out << in.rdbuf();
        return !in.bad();
    }

private:
    int m_fd = -1;
    std::string m_strPath;
};

} // namespace

int RunListingPdf(const std::string& file, const std::string& pdf, std::ostream& out,
                  std::ostream& err) {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    const std::string program = error ? std::string() : FindListingPdfProgram(self.string());
    if (program.empty()) {
        err << "pcltool: " << kListingPdfProgram
            << " is not installed beside pcltool, so no PDF can be rendered\n";
        return 1;
    }
    // A file that cannot be read is said so with the system's reason; the renderer
    // reads standard input itself, as it inherits it.
    if (file != kStandardStream) {
        ToolPlatform platform;
        if (!platform.OpenForReading(file)) {
            err << "pcltool: " << file << ": " << std::strerror(errno) << "\n";
            return 1;
        }
    }
    if (pdf != kStandardStream) {
        return RunProgram(program, {program, file, pdf}, err);
    }
    // The PDF is made whole in a file of its own, then passed on.
    TemporaryPdf temporary;
    if (temporary.Path().empty()) {
        err << "pcltool: " << fs::temp_directory_path(error).string() << ": "
            << std::strerror(errno) << "\n";
        return 1;
    }
    int code = RunProgram(program, {program, file, temporary.Path()}, err);
    if (code != 0) {
        return code;
    }
    if (!temporary.CopyTo(out)) {
        err << "pcltool: " << temporary.Path() << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    return FinishOutput(out, err) ? 0 : 1;
}
