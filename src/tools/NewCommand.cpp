#include "tools/NewCommand.h"

#include "model/NewProtocol.h"
#include "model/ProtocolNode.h"
#include "model/ProtocolWriter.h"
#include "model/TextBuffer.h"
#include "tools/ToolCommands.h"
#include "tools/ToolPlatform.h"

int RunNew(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() != 1) {
        return kUsageError;
    }
    const std::string& path = args[0];
    ToolPlatform platform;
    // A template is never worth more than a file someone already has.
    if (platform.FileExists(path)) {
        err << "pcltool: " << path << ": already exists; not replaced\n";
        return 1;
    }
    ProtocolNode node;
    TextBuffer buffer;
    bool written = InitNewProtocol(node) && WriteProtocolFile(node, buffer, path);
    PrintMessages(err, path, platform.messages);
    return written ? 0 : 1;
}
