#pragma once

#include <ostream>
#include <string>
#include <vector>

// new OUT: writes the template of a new protocol, as the editor's File New makes it,
// to OUT. An existing OUT is left alone. 0 when written, 1 when not.
int RunNew(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
