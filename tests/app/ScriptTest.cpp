#include <gtest/gtest.h>

#include "app/HeadlessScript.h"
#include "display/Utf8.h"
#include "platform/VirtualKeys.h"

namespace ik {
namespace {

TEST(HeadlessScript, ParsesEveryCommand) {
    auto commands = parseScript(
        "# a comment line\n"
        "wait 250\n"
        "frames 3   # trailing comment\n"
        "key Escape\n"
        "down KP_1\n"
        "up x\n"
        "text Ahoj č\n"
        "move 400 -5\n"
        "click\npress\nrelease\n"
        "shot out/menu.png\n"
        "state s.json\n"
        "quit\n"
        "focus off\nfocus on\n");
    using Kind = ScriptCommand::Kind;
    ASSERT_EQ(commands.size(), 15u);
    EXPECT_EQ(commands[0].kind, Kind::Wait);
    EXPECT_EQ(commands[0].number, 250);
    EXPECT_EQ(commands[0].line, 2);
    EXPECT_EQ(commands[1].number, 3);
    EXPECT_EQ(commands[2].key.virtualKey, vk::Escape);
    EXPECT_EQ(commands[2].key.character, U'\x1b');
    EXPECT_EQ(commands[3].key.virtualKey, vk::numpad(1));
    EXPECT_EQ(commands[3].key.character, U'1');
    EXPECT_EQ(commands[4].key.virtualKey, 'X');
    EXPECT_EQ(commands[4].key.character, U'x');
    EXPECT_EQ(commands[5].text, U"Ahoj č");
    EXPECT_EQ(commands[6].x, 400);
    EXPECT_EQ(commands[6].y, -5);
    EXPECT_EQ(commands[7].kind, Kind::Click);
    EXPECT_EQ(commands[10].path, "out/menu.png");
    EXPECT_EQ(commands[12].kind, Kind::Quit);
    EXPECT_EQ(commands[13].kind, Kind::Focus);
    EXPECT_EQ(commands[13].number, 0);
    EXPECT_EQ(commands[14].number, 1);
}

TEST(HeadlessScript, KeyNames) {
    struct Case {
        const char* name;
        uint16_t vk;
        char32_t ch;
    };
    for (Case c :
         {Case{"Return", vk::Return, 13}, Case{"space", vk::Space, U' '}, Case{"plus", vk::OemPlus, U'+'},
          Case{"minus", vk::OemMinus, U'-'}, Case{"KP_plus", vk::Add, U'+'}, Case{"KP_minus", vk::Subtract, U'-'},
          Case{"KP_9", vk::numpad(9), U'9'}, Case{"7", '7', U'7'}, Case{"E", 'E', U'E'}, Case{"e", 'E', U'e'},
          Case{"Left", vk::Left, 0}, Case{"Up", vk::Up, 0}, Case{"Control", vk::Control, 0}}) {
        auto key = keyByName(c.name);
        ASSERT_TRUE(key.has_value()) << c.name;
        EXPECT_EQ(key->virtualKey, c.vk) << c.name;
        EXPECT_EQ(key->character, c.ch) << c.name;
    }
    EXPECT_FALSE(keyByName("Hyper").has_value());
    EXPECT_FALSE(keyByName("").has_value());
}

TEST(HeadlessScript, RejectsBrokenLinesWithTheirNumber) {
    struct Case {
        const char* source;
        const char* message;
    };
    for (Case c :
         {Case{"wait\n", "line 1: wait needs a number"},
          Case{"frames 2\nwait soon\n", "line 2: wait expects a number, got 'soon'"},
          Case{"wait -4\n", "line 1: wait needs a number of 0 or more"},
          Case{"key Hyper\n", "line 1: unknown key 'Hyper'"}, Case{"\n\njump 3\n", "line 3: unknown command 'jump'"},
          Case{"move 3\n", "line 1: move needs X and Y"}, Case{"shot\n", "line 1: shot needs a file name"},
          Case{"focus maybe\n", "line 1: focus needs on or off"}}) {
        try {
            parseScript(c.source);
            ADD_FAILURE() << "accepted: " << c.source;
        } catch (const ScriptError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(HeadlessScript, Utf8Decoding) {
    EXPECT_EQ(decodeUtf8("žluťoučký"), U"žluťoučký");
    EXPECT_EQ(decodeUtf8("a\xff"
                         "b"),
              U"a\uFFFDb");
    EXPECT_EQ(decodeUtf8("\xc5"), U"\uFFFD");  // cut in the middle of a letter
}

}  // namespace
}  // namespace ik
