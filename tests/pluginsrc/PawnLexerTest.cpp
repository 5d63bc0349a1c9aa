#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pluginsrc/PawnLexer.h"

// Kinds one letter a token; texts joined by '|', or by '~' before a token that starts a line.
// A directive shows as '#' and its name, whatever stands between them.
TEST(PawnLexer, TokensOfTypicalLines)
{
    struct Row {
        const char* source;
        const char* kinds;
        const char* texts;
    };
    const std::vector<Row> rows = {
        {"#define MAX_LEVELS 10 // ten", "DN9C", "#define|MAX_LEVELS|10|// ten"},
        {"  #  define /* a */ X\t-5 /* b */\r\n", "DCNP9C", "#define|/* a */|X|-|5|/* b */"},
        {"#if A\n  #endif\nx # y", "DNDNPN", "#if|A~#endif~x|#|y"},
        {"/* a\nb */ #define X", "CDN", "/* a\nb */~#define|X"},
        {"new const Float:p_x[3] = {1.0,\r\n-2.5};", "NNNPNP9PPP9PP9PP",
         "new|const|Float|:|p_x|[|3|]|=|{|1.0|,~-|2.5|}|;"},
        {"{{1},{}}", "PP9PPPPP", "{|{|1|}|,|{|}|}"},
        {"0x1F 12.5 1.0e-5 3e-1 7.", "9999P99", "0x1F|12.5|1.0e-5|3e|-|1|7."},
        {"\"a // b\" 'c' \"x^\"y\" \"open\nnew", "SSSSN", "\"a // b\"|'c'|\"x^\"y\"|\"open~new"},
        {"0ю5 пять @x _1", "9O9ONN", "0|ю|5|пять|@x|_1"},
        {"#define X 1 \\\n2", "DN9P9", "#define|X|1|\\~2"},  // no line continuation
        {"#\n#1", "DD", "#~#1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        const auto tokens = LexPawn(row.source);
        ASSERT_TRUE(tokens);
        std::string kinds;
        std::string texts;
        for (const PawnToken& token : *tokens) {
            kinds += "DCP9NSO"[static_cast<int>(token.kind)];  // in the order of PawnTokenKind
            if (!texts.empty())
                texts += token.startsLine ? '~' : '|';
            texts += token.kind == PawnTokenKind::Directive ? "#" + std::string(token.name) : std::string(token.text);
            EXPECT_EQ(std::string_view(row.source).substr(token.offset, token.text.size()), token.text);
        }
        EXPECT_EQ(kinds, row.kinds);
        EXPECT_EQ(texts, row.texts);
    }
}

TEST(PawnLexer, AnUnclosedCommentIsRefusedWhereItOpens)
{
    const auto tokens = LexPawn("new x = 1;\n/* never closed */ x /* here");
    ASSERT_FALSE(tokens);
    EXPECT_EQ(tokens.failure().offset, 32U);
    EXPECT_NE(tokens.failure().problem.find("*/"), std::string::npos);
}
