#include "tools/ToolCommands.h"

#include "platform/ProgramInfo.h"
#include "tools/FileCommands.h"
#include "tools/NewCommand.h"

const std::vector<ToolCommand>& ToolCommands() {
    static const std::vector<ToolCommand> commands = {
        {"dump", "FILE", "the protocol as read, as JSON", RunDump},
        {"check", "FILE...", "one line \"FILE:LINE: message\" per message", RunCheck},
        {"format", "FILE [-o OUT]", "read and write back through the writer (in place by default)",
         RunFormat},
        {"listing", "FILE [--pdf OUT]", "the printed listing: its text lines, or the paginated PDF",
         RunListing},
        {"new", "OUT", "write the template of a new protocol", RunNew},
    };
    return commands;
}

namespace {

void PrintUsage(std::ostream& stream) {
    stream << "usage: pcltool COMMAND ARGUMENTS\n";
    auto row = [&stream](const std::string& call, const char* summary) {
        stream << "  pcltool " << call;
        for (std::size_t width = call.size(); width < 24; ++width) {
            stream << ' ';
        }
        stream << "  " << summary << "\n";
    };
    for (const ToolCommand& command : ToolCommands()) {
        row(std::string(command.name) + " " + command.arguments, command.summary);
    }
    row("--help | --version", "this text, or the version");
    stream << "A FILE or OUT of - is standard input or standard output.\n"
              "Exit status: 0 done, 1 the command failed (check: warnings), 2 a wrong call\n"
              "(check: a file that could not be read).\n";
}

int Usage(std::ostream& err) {
    PrintUsage(err);
    return kUsageExitCode;
}

} // namespace

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        return Usage(err);
    }
    // Asked for, the usage is the answer, not an error.
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        PrintUsage(out);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "pcltool " << ProgramInfo::kVersion << "\n";
        return 0;
    }
    for (const ToolCommand& command : ToolCommands()) {
        if (args[0] == command.name) {
            int code = command.run({args.begin() + 1, args.end()}, out, err);
            return code == kUsageError ? Usage(err) : code;
        }
    }
    err << "pcltool: unknown command \"" << args[0] << "\"\n";
    return Usage(err);
}
