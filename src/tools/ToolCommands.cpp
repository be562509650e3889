#include "tools/ToolCommands.h"

#include "tools/FileCommands.h"
#include "tools/NewCommand.h"

const std::vector<ToolCommand>& ToolCommands() {
    static const std::vector<ToolCommand> commands = {
        {"dump", "FILE", "the protocol as read, as JSON", RunDump},
        {"check", "FILE...", "one line \"FILE: message\" per message", RunCheck},
        {"format", "FILE [-o OUT]", "read and write back through the writer (in place by default)",
         RunFormat},
        {"listing", "FILE [--pdf OUT]", "the printed listing: its text lines, or the paginated PDF",
         RunListing},
        {"new", "OUT", "write the template of a new protocol", RunNew},
    };
    return commands;
}

namespace {

int Usage(std::ostream& err) {
    err << "usage: pcltool COMMAND ARGUMENTS\n";
    for (const ToolCommand& command : ToolCommands()) {
        std::string call = std::string(command.name) + " " + command.arguments;
        err << "  pcltool " << call;
        for (std::size_t width = call.size(); width < 24; ++width) {
            err << ' ';
        }
        err << "  " << command.summary << "\n";
    }
    return kUsageExitCode;
}

} // namespace

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        return Usage(err);
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
