#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Generated protocol files for the benchmarks, written byte for byte in the form the
// writer gives them, so that reading and formatting one gives the same file back.
// Commands vary as a real switcher's do: several categories, zero to three
// parameters, zero to four message bytes, acknowledgements on some of them.
//
// With repeating parameters the parameter texts come from a small set, as in real
// protocols, where many commands take the same kinds of value. With unique
// parameters every parameter text in the file is different, which is the reader's
// worst case: no parse can be shared.
namespace SampleProtocol {

enum class Params { Repeating, Unique };

inline const char* KindName(Params kind) {
    return kind == Params::Repeating ? "repeating" : "unique";
}

inline std::string Text(int commands, Params kind) {
    static constexpr std::string_view kCategories[] = {"Switcher", "Lamp",  "Deck",
                                                       "Preset",   "Audio", "Tally"};
    static constexpr std::string_view kLabels[] = {"Route", "Power On", "Play", "Recall",
                                                   "Level", "Status",   "Cue",  "Store",
                                                   "Mute",  "Power Off"};
    static constexpr std::string_view kDescriptions[] = {
        "Routes an input to an output", "Switches the unit on", "Starts playback",
        "Recalls a stored preset",      "Sets the level",       "Asks for the status"};
    static constexpr std::string_view kTypes[] = {"byte",
                                                  "port",
                                                  "datastring|string",
                                                  "byte|var",
                                                  "word",
                                                  "input|remoteinput",
                                                  "byte&contains(0x01)",
                                                  "timestring|framestring",
                                                  "\"ON\"|\"OFF\"",
                                                  "lcdstring",
                                                  "var&bytelabel(Preset)|byte",
                                                  "ipaddress"};
    static constexpr std::string_view kParamDescriptions[] = {"Input number 1-16",
                                                              "A valid Port",
                                                              "A valid Data or local String",
                                                              "Output number",
                                                              "Level in tenths of a percent",
                                                              "Where to cue",
                                                              "Power state",
                                                              "Text for the front panel",
                                                              "Preset number",
                                                              "Address of the unit"};
    auto pick = [](auto& table, unsigned n) -> std::string_view {
        return table[n % (sizeof table / sizeof table[0])];
    };

    std::string out;
    out.reserve(static_cast<std::size_t>(commands) * 230 + 400);
    out += "[Device]\r\n\r\n"
           "Version=1.04\r\nDate=Monday, December 07, 2026\r\n"
           "Description=Benchmark Matrix Switcher\r\nLocation=Local\r\nAuthor=Bench\r\n"
           "Maker=Acme\r\nModel=MX-1616\r\nSupported=5.00\r\nType=Video Switcher\r\n"
           "Interface=Serial\r\nDataBits=8\r\nStopBits=1\r\nParity=N\r\nBaudRate=9600\r\n"
           "Protocol=Custom\r\nVantorType=Show Controller\r\n";
    for (int i = 0; i < commands; ++i) {
        auto n = static_cast<unsigned>(i);
        // Mixes the number so neighbouring commands differ in shape.
        unsigned h = n * 2654435761u;
        out += "\r\n[";
        out += pick(kCategories, n);
        out += ':';
        out += pick(kLabels, n / 6);
        out += ' ';
        out += std::to_string(i);
        out += "]\r\ndescription=";
        out += pick(kDescriptions, h >> 7);
        out += "\r\n";
        if (h % 5 == 0) {
            out += "supported=5.00\r\n";
        }
        out += "retries=3\r\ntimeout=500\r\nmessageack=ACK\r\n";
        if (h % 3 == 0) {
            out += "completionack=DONE\r\n";
        }
        int params = static_cast<int>((h >> 11) % 4);
        for (int p = 1; p <= params; ++p) {
            unsigned which = (h >> 13) + static_cast<unsigned>(p) * 5;
            out += "param" + std::to_string(p) + "=";
            out += pick(kTypes, which);
            out += ", \"";
            out += pick(kParamDescriptions, which / 3);
            if (kind == Params::Unique) {
                out += " #" + std::to_string(i) + "." + std::to_string(p);
            }
            out += "\"\r\n";
        }
        int bytes = static_cast<int>((h >> 17) % 5);
        for (int b = 1; b <= bytes; ++b) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            unsigned value = (h >> (b * 3)) & 0xFF;
            out += "byte" + std::to_string(b) + "=0x";
            out += kHex[value >> 4];
            out += kHex[value & 15];
            out += "\r\n";
        }
        out += "message=";
        for (int p = 1; p <= params; ++p) {
            out += "@byte(param" + std::to_string(p) + ")";
        }
        out += params == 0 ? "STATUS?" : "\\r";
        out += "\r\n";
    }
    return out;
}

} // namespace SampleProtocol
