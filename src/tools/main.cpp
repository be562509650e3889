// pcltool, the command-line companion of the editor: reads and writes protocol
// files through the editor's own model code.
#include <iostream>

#include "tools/ToolCommands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int code = RunTool(args, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
