#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/Codepage.h"
#include "tools/JsonWriter.h"

TEST(JsonWriter, IndentsBlocksAndKeepsInLineContainersOnOneLine) {
    std::string out;
    JsonWriter json(out);
    json.BeginObject();
    json.Key("a");
    json.Number(-1);
    json.Key("empty");
    json.BeginArray();
    json.EndArray();
    json.Key("list");
    json.BeginArray();
    json.BeginArray(true);
    json.BeginObject();
    json.Key("k");
    json.Bool(false);
    json.EndObject();
    json.String("x");
    json.EndArray();
    json.EndArray();
    json.EndObject();
    EXPECT_EQ(out, "{\n"
                   "  \"a\": -1,\n"
                   "  \"empty\": [],\n"
                   "  \"list\": [\n"
                   "    [ { \"k\": false }, \"x\" ]\n"
                   "  ]\n"
                   "}");
}

TEST(JsonWriter, EscapesAndRepairsStrings) {
    auto quoted = [](std::string_view text) {
        std::string out;
        JsonWriter::AppendQuoted(out, text);
        return out;
    };
    EXPECT_EQ(quoted("a\"b\\c\r\n\t"), "\"a\\\"b\\\\c\\r\\n\\t\"");
    EXPECT_EQ(quoted(std::string("\0\x1f\x7f", 3)), "\"\\u0000\\u001f\x7f\"");
    EXPECT_EQ(quoted("Caf\xC3\xA9 \xE2\x82\xAC"), "\"Caf\xC3\xA9 \xE2\x82\xAC\"") << "UTF-8 stays";
    // Bytes that are no UTF-8 are read as Windows-1252, so the output stays valid.
    EXPECT_EQ(quoted("\xE9\x80"), "\"\xC3\xA9\xE2\x82\xAC\"");
    EXPECT_EQ(quoted("\xC0\xAF"), "\"\xC3\x80\xC2\xAF\"") << "an overlong form is no UTF-8";
    EXPECT_EQ(quoted("\xE2\x82"), "\"\xC3\xA2\xE2\x80\x9A\"") << "nor is a cut sequence";
}

TEST(JsonWriter, CodePageBytesComeOutAsTheirCharacters) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    for (std::string_view bytes : {std::string_view(all), std::string_view("plain \"q\" \\ end")}) {
        std::string direct;
        JsonWriter::AppendQuotedCodePage(direct, bytes);
        std::string decoded;
        JsonWriter::AppendQuoted(decoded, Codepage::ToUtf8(bytes));
        EXPECT_EQ(direct, decoded);
    }
}

// Streamed, the text is the same however long it is, and reaches the stream in
// pieces rather than at the end.
TEST(JsonWriter, StreamsTheSameText) {
    auto write = [](JsonWriter& json) {
        json.BeginArray();
        for (int i = 0; i < 20000; ++i) {
            json.BeginObject(i % 2 == 0);
            json.Key("n");
            json.Number(i);
            json.Key("s");
            json.CodePageString("caf\xE9 \"" + std::to_string(i) + "\"");
            json.EndObject();
        }
        json.EndArray();
    };
    std::string whole;
    {
        JsonWriter json(whole);
        write(json);
    }
    std::ostringstream stream;
    {
        JsonWriter json(stream);
        json.BeginArray();
        for (int i = 0; i < 5000; ++i) {
            json.String("padding padding padding padding");
        }
        EXPECT_GT(stream.str().size(), 0u) << "streamed before the end";
    }
    std::ostringstream streamed;
    {
        JsonWriter json(streamed);
        write(json);
    }
    EXPECT_GT(whole.size(), 200000u);
    EXPECT_EQ(streamed.str(), whole);
}
