#pragma once

class ProtocolNode;

// Fills `node` with the template of a new protocol: the default device texts, today's
// date and the one command MessageOut. False, after a message, when the command
// cannot be created. The editor's File New and `pcltool new` both start here.
bool InitNewProtocol(ProtocolNode& node);
