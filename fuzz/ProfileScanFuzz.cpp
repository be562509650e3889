// The section and key scans on any bytes: nothing may read outside the buffer, the
// key index must give the answers of the line-by-line scan, and looking keys up
// between section scans must not change which sections are found.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzPlatform.h"
#include "model/ProfileBuffer.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzPlatform platform;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> keys = {"Version", "description", "Param1", "BYTE1", "a", "=", ""};
    // A key taken from the input itself, so the fuzzer can steer it.
    keys.emplace_back(bytes.substr(0, bytes.find_first_of("=\r\n")).substr(0, 12));

    ProfileBuffer plain;
    ProfileBuffer looked;
    Require(plain.Load(bytes) && looked.Load(bytes));
    bool first = true;
    for (;;) {
        std::string name(plain.NextSection(!first));
        Require(looked.NextSection(!first) == name);
        Require(plain.GetCursor() == looked.GetCursor() && plain.GetCursor() <= size);
        first = false;
        for (const std::string& key : keys) {
            Require(looked.GetValue(key, "\x01") == looked.ScanValue(key, "\x01"));
        }
        if (name.empty()) {
            break;
        }
    }

    ProfileBuffer find;
    Require(find.Load(bytes));
    bool found = find.FindSection("Device", false);
    while (found) {
        Require(find.GetValue("Version", "") == find.ScanValue("Version", ""));
        found = find.FindSection("Device", true);
    }
    Require(find.GetCursor() == size);
    return 0;
}
