#pragma once

#include <ostream>
#include <string>
#include <vector>

class ProtocolNode;
struct ToolMessage;

// The JSON form `pcltool dump` prints, streamed to `out`: whether the read succeeded,
// the messages it showed (UTF-8) with the line of the file each is about, and the
// protocol as read, its values decoded from Windows-1252. Only the parameters and
// bytes in use are listed, and of each parameter's parse the groups that can hold
// terms.
void WriteProtocolJson(std::ostream& out, const ProtocolNode& node, bool ok,
                       const std::vector<ToolMessage>& messages);
