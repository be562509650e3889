#pragma once

#include <ostream>
#include <string>
#include <vector>

// The commands of pcltool. Each is a row of the table: its name, the arguments it
// takes as the usage text shows them, what it does, and the function that runs it.
// A new command is one more row.
struct ToolCommand {
    const char* name;
    const char* arguments;
    const char* summary;
    // Runs with the arguments after the command's name; returns the exit code, or
    // kUsageError when the arguments do not fit.
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

// Returned by a command whose arguments do not fit; the caller shows the usage.
constexpr int kUsageError = -1;
// The exit code of a call that does not fit any command.
constexpr int kUsageExitCode = 2;

const std::vector<ToolCommand>& ToolCommands();

// Runs the command named by args[0] with the rest of `args`.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
