#include <gtest/gtest.h>

#include "ScriptedPlatform.h"
#include "model/ParamType.h"
#include "model/ParseCache.h"
#include "model/TypeKeywordTable.h"

namespace {

// The stored groups as "kw(arg)&kw|kw"; only the groups that can hold terms.
std::string Groups(const ParamType& param) {
    std::string out;
    int groups = std::min(param.m_nOrCount, ParamType::kMaxGroups);
    for (int g = 0; g < groups; ++g) {
        if (g > 0) {
            out += "|";
        }
        const OrGroup& group = param.m_oOr[g];
        for (int t = 0; t < group.m_nAndCount; ++t) {
            if (t > 0) {
                out += "&";
            }
            out += TypeKeywordTable::Keyword(group.m_oAnd[t].m_nKeyword);
            if (!group.m_oAnd[t].m_strArgument.empty()) {
                out += "(" + group.m_oAnd[t].m_strArgument.str() + ")";
            }
        }
    }
    return out;
}

ParamType Parse(const std::string& text, const std::string& command = "Cmd") {
    ParamType param;
    param.m_strText = text;
    param.ParseType(command);
    return param;
}

std::string UnknownWord(const std::string& word, const std::string& command) {
    return "Warning: I couldn't make much sense of the Param\n\" " + word +
           " \" in the Command \" " + command + " \"";
}

const char* const kTooManyOr =
    "Read Protocol:  Maximum number of Or'd types for parameter has been exceeded";
const char* const kTooManyAnd =
    "Read Protocol:  Maximum number of And'd types for Or has been exceeded";

} // namespace

TEST(TypeKeywordTable, MatchesWholeKeywordsWithoutRegardToCase) {
    EXPECT_EQ(TypeKeywordTable::Find("input"), 0);
    EXPECT_EQ(TypeKeywordTable::Find("PORT"), 8);
    EXPECT_EQ(TypeKeywordTable::Find("DataString"), 10);
    EXPECT_EQ(TypeKeywordTable::Find("string"), 16);
    EXPECT_EQ(TypeKeywordTable::Find("zorvexvalue"), 28);
    EXPECT_EQ(TypeKeywordTable::Find("str"), -1);
    EXPECT_EQ(TypeKeywordTable::Find("strings"), -1);
    EXPECT_EQ(TypeKeywordTable::Find(""), -1);
    EXPECT_EQ(TypeKeywordTable::Keyword(29), "");
    // Indices are stored in files' parses, so every keyword finds its own index.
    for (int i = 0; i < TypeKeywordTable::kCount; ++i) {
        EXPECT_EQ(TypeKeywordTable::Find(TypeKeywordTable::Keyword(i)), i);
    }
}

TEST(ParseType, WorkedExamples) {
    ScriptedPlatform platform;
    struct Case {
        const char* text;
        const char* groups;
        int orCount;
        const char* description;
    };
    for (const Case& c : {
             Case{"port, \"A valid Port\"", "port", 1, "A valid Port"},
             Case{"datastring|string, \"A valid Data or local String\"", "datastring|string", 2,
                  "A valid Data or local String"},
             Case{"byte&contains(abc)", "byte&contains(abc)", 1, ""},
             Case{"\"OK\"|word", "string(OK)|word", 2, ""},
             Case{"Byte | Word , \"Level\"", "byte|word", 2, "Level"},
         }) {
        ParamType param = Parse(c.text);
        EXPECT_EQ(Groups(param), c.groups) << c.text;
        EXPECT_EQ(param.m_nOrCount, c.orCount) << c.text;
        EXPECT_EQ(param.m_strDescription, c.description) << c.text;
        EXPECT_EQ(param.m_strText, c.text) << "the text stays the value";
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST(ParseType, QuotesParenthesesAndSeparators) {
    ScriptedPlatform platform;
    struct Case {
        const char* text;
        const char* groups;
        int orCount;
        const char* description;
    };
    for (const Case& c : {
             // A literal loses its white space; separators inside it are kept.
             Case{"\"A B\"", "string(AB)", 1, ""},
             Case{"\"a|b,c&d(e)\"", "string(a|b,c&d(e))", 1, ""},
             // A quote inside parentheses belongs to the argument.
             Case{"contains(\"x\")", "contains(\"x\")", 1, ""},
             Case{"contains(a|b,c)&byte", "contains(a|b,c)&byte", 1, ""},
             // The description keeps white space inside quotes only.
             Case{"port, \"A\" \"B\"", "port", 1, "AB"},
             Case{"port, x \" two  words \" y", "port", 1, " two  words "},
             Case{"port,", "port", 1, ""},
             Case{"word||byte", "word||byte", 3, ""},
             Case{"\tword\r\n", "word", 1, ""},
         }) {
        ParamType param = Parse(c.text);
        EXPECT_EQ(Groups(param), c.groups) << c.text;
        EXPECT_EQ(param.m_nOrCount, c.orCount) << c.text;
        EXPECT_EQ(param.m_strDescription, c.description) << c.text;
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST(ParseType, UnknownWordsAreWarnedAboutAndLeftOut) {
    ScriptedPlatform platform;
    ParamType param = Parse("bogus, \"x\"", "Lamp:On");
    EXPECT_EQ(Groups(param), "");
    EXPECT_EQ(param.m_nOrCount, 1);
    EXPECT_EQ(param.m_strDescription, "x");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, UnknownWord("bogus", "Lamp:On"));
    EXPECT_EQ(platform.messages[0].kind, Platform::MessageKind::Ok);

    // Later terms still land in their groups.
    platform.messages.clear();
    param = Parse("bogus&byte|nope|word");
    EXPECT_EQ(Groups(param), "byte||word");
    EXPECT_EQ(param.m_nOrCount, 3);
    EXPECT_EQ(platform.Texts(),
              (std::vector<std::string>{UnknownWord("bogus", "Cmd"), UnknownWord("nope", "Cmd")}));
}

TEST(ParseType, ArgumentWithoutATermIsDropped) {
    ScriptedPlatform platform;
    // The empty word before '(' is looked up (and warned about); its argument finds
    // no term and goes nowhere.
    ParamType param = Parse("(abc)");
    EXPECT_EQ(Groups(param), "");
    EXPECT_EQ(param.m_nOrCount, 1);
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{UnknownWord("", "Cmd")}));

    // After '|' the new group is empty: the argument must not reach the old one.
    platform.messages.clear();
    param = Parse("contains(a)|(b)");
    EXPECT_EQ(Groups(param), "contains(a)|");
    EXPECT_EQ(param.m_oOr[1].m_oAnd[0].m_strArgument, "");

    // A literal whose string term was refused by the Or'd limit leaves the
    // stored groups alone.
    platform.messages.clear();
    param = Parse("byte|byte|byte|byte|contains(k)|\"lit\"");
    EXPECT_EQ(Groups(param), "byte|byte|byte|byte|contains(k)");
    EXPECT_EQ(param.m_nOrCount, 6);
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{kTooManyOr}));
}

TEST(ParseType, UnterminatedLiteralIsLookedUpAsAWord) {
    ScriptedPlatform platform;
    ParamType param = Parse("\"abc");
    EXPECT_EQ(Groups(param), "");
    EXPECT_EQ(param.m_nOrCount, 1);
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{UnknownWord("abc", "Cmd")}));

    platform.messages.clear();
    param = Parse("\"byte");
    EXPECT_EQ(Groups(param), "byte");
    EXPECT_TRUE(platform.messages.empty());
}

TEST(ParseType, LimitsOfGroupsAndTerms) {
    ScriptedPlatform platform;
    ParamType param = Parse("byte|byte|byte|byte|byte|byte");
    EXPECT_EQ(Groups(param), "byte|byte|byte|byte|byte");
    EXPECT_EQ(param.m_nOrCount, 6);
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{kTooManyOr}));

    // The count keeps going past five; every extra keyword is refused.
    platform.messages.clear();
    param = Parse("byte|byte|byte|byte|byte|word|word&word|x, \"d\"");
    EXPECT_EQ(param.m_nOrCount, 8);
    EXPECT_EQ(param.m_strDescription, "d");
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{kTooManyOr, kTooManyOr, kTooManyOr,
                                                          UnknownWord("x", "Cmd")}));

    platform.messages.clear();
    param = Parse("byte&word&time&port");
    EXPECT_EQ(Groups(param), "byte&word&time");
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{kTooManyAnd}));

    // An unknown word is reported before any limit.
    platform.messages.clear();
    param = Parse("byte&byte&byte&nothing");
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{UnknownWord("nothing", "Cmd")}));

    // A refused fourth term's argument goes to the last term the group stored.
    platform.messages.clear();
    param = Parse("byte&word&contains(a)&contains(b)");
    EXPECT_EQ(Groups(param), "byte&word&contains(b)");
}

TEST(ParseType, WarningsComeWithTheBusyCursorTakenDown) {
    ScriptedPlatform platform;
    platform.BeginWaitCursor();
    Parse("bogus|byte&byte&byte&byte");
    ASSERT_EQ(platform.messages.size(), 2u);
    for (const auto& message : platform.messages) {
        EXPECT_FALSE(message.busyCursorShown) << message.text;
        EXPECT_EQ(message.kind, Platform::MessageKind::Ok);
    }
}

TEST(ParseType, CodePageBytesAreShownDecoded) {
    ScriptedPlatform platform;
    Parse("caf\xE9", "Men\xFC");
    EXPECT_EQ(platform.Texts(),
              (std::vector<std::string>{UnknownWord("caf\xC3\xA9", "Men\xC3\xBC")}));
}

TEST(ParseType, StoresExactlyTheGroupsWithTermsAndTheirArgumentsInThem) {
    ScriptedPlatform platform;
    EXPECT_EQ(Parse("port, \"A valid Port\"").m_oOr.Stored(), 1u);
    EXPECT_EQ(Parse("bogus|byte").m_oOr.Stored(), 2u) << "an empty group before a stored one";
    EXPECT_EQ(Parse("byte|bogus").m_oOr.Stored(), 1u);
    EXPECT_EQ(Parse(", \"only a description\"").m_oOr.Stored(), 0u);

    // The arguments belong to the parse, not to the text they were found in: the text
    // may change, or be gone, while the parse lives on in copies.
    ParamType copy;
    {
        ParamType param = Parse("contains(abc)&\"lit\"|bytelabel(x y)");
        copy = param;
        param.m_strText = "changed";
    }
    EXPECT_EQ(Groups(copy), "contains(abc)&string(lit)|bytelabel(xy)");
}

TEST(ParseType, CopiesShareAParseUntilOneChangesIt) {
    ScriptedPlatform platform;
    ParamType param = Parse("byte&contains(0x01)|word, \"Output\"");
    ParamType copy = param;
    EXPECT_EQ(Groups(copy), Groups(param));
    EXPECT_EQ(copy.m_strDescription, "Output");

    copy.m_oOr[0].m_oAnd[1].m_strArgument = "0x02";
    copy.AddKeyword("port", "Cmd"); // the next group, index m_nOrCount
    copy.m_nOrCount = 3;
    EXPECT_EQ(Groups(copy), "byte&contains(0x02)|word|port");
    EXPECT_EQ(copy.m_oOr.Stored(), 5u);
    EXPECT_EQ(Groups(param), "byte&contains(0x01)|word") << "the original keeps its parse";
}

TEST(ParseType, ParsingAgainReplacesTheParse) {
    ScriptedPlatform platform;
    ParamType param = Parse("byte|word|port, \"three\"");
    param.m_strText = "ipaddress";
    EXPECT_TRUE(param.ParseType("Cmd"));
    EXPECT_EQ(Groups(param), "ipaddress");
    EXPECT_EQ(param.m_nOrCount, 1);
    EXPECT_EQ(param.m_strDescription, "");
    param.m_strText = "nothing";
    EXPECT_FALSE(param.ParseType("Cmd")) << "a warning makes the parse depend on the command";
}

TEST(ParseCache, RepeatedTextsGiveTheSameParseAndWarnEveryTime) {
    ScriptedPlatform platform;
    ParseCache cache;
    // More distinct texts than the cache has room for, so that texts meet in its
    // slots; each comes three times, its bytes in a place of their own each time.
    std::vector<std::string> texts;
    for (int i = 0; i < 600; ++i) {
        texts.push_back("byte&contains(" + std::to_string(i) + ")|word, \"n" + std::to_string(i) +
                        "\"");
    }
    std::vector<std::string> places;
    for (int round = 0; round < 3; ++round) {
        for (const std::string& text : texts) {
            places.push_back(text);
        }
    }
    for (const std::string& place : places) {
        ParamType param;
        param.m_strText = Text::Refer(place);
        cache.Parse(param, "Cmd");
        ParamType fresh = Parse(place);
        ASSERT_EQ(Groups(param), Groups(fresh)) << place;
        ASSERT_EQ(param.m_nOrCount, fresh.m_nOrCount) << place;
        ASSERT_EQ(param.m_strDescription, fresh.m_strDescription) << place;
        EXPECT_TRUE(param.m_strDescription.Refers()) << "taken from the param's own text";
    }
    EXPECT_TRUE(platform.messages.empty());

    // A text that warns names its command every time it comes.
    std::string bad = "bogus, \"x\"";
    for (const char* command : {"A", "B"}) {
        ParamType param;
        param.m_strText = Text::Refer(bad);
        cache.Parse(param, command);
        EXPECT_EQ(param.m_strDescription, "x");
    }
    EXPECT_EQ(platform.Texts(),
              (std::vector<std::string>{UnknownWord("bogus", "A"), UnknownWord("bogus", "B")}));
}
