// Posting and ageing floating messages.
#include "game/messages.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_state.hpp"
#include "game/waves.hpp"
#include "tests/game/builders.hpp"

namespace {

std::vector<std::string> textsOf(const MessageList& list)
{
    std::vector<std::string> texts;
    for (const FloatingText& message : list)
        texts.push_back(message.text);
    return texts;
}

}  // namespace

TEST(Messages, NewMessageHasOneSecondAndOwnsItsText)
{
    MessageList list;
    {
        std::string text = "1 POWER ADDED";
        addMessage(list, text, 450.0f, 330.0f, {0.75f, 1.0f, 0.55f});
        text = "CHANGED";
    }
    ASSERT_EQ(list.size(), 1u);
    expectMessage(list[0], "1 POWER ADDED", 450.0f, 330.0f, 0.75f, 1.0f, 0.55f);
}

TEST(Messages, FifthMessagePushesOutTheOldest)
{
    MessageList list;
    for (const char* text : {"A", "B", "C", "D"})
        addMessage(list, text, 450.0f, 330.0f, {1.0f, 1.0f, 1.0f});
    list[0].timeLeft = 0.1f;
    list[3].timeLeft = 0.2f;  // age does not matter, only order
    addMessage(list, "E", 450.0f, 330.0f, {1.0f, 1.0f, 1.0f});
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"B", "C", "D", "E"}));
}

TEST(Messages, LevelBannerWithThreeAliveKeepsTheTwoNewerOldOnes)
{
    GameState state = createGameState();
    for (const char* text : {"1 GUN ADDED", "5 HEALTH LOST", "1 GUN LOST"})
        addMessage(state.messages, text, 450.0f, 330.0f, {1.0f, 1.0f, 1.0f});
    state.wave = 6;
    announceLevel(state.wave, state.level, state.announcedLevel, state.messages);
    EXPECT_EQ(textsOf(state.messages),
              (std::vector<std::string>{"5 HEALTH LOST", "1 GUN LOST", "LEVEL 2", "MONSTERS STRONGER"}));
}

TEST(Messages, MessageLeavesWhenItsAgeReachesOneSecond)
{
    MessageList list;
    addMessage(list, "OLD", 450.0f, 330.0f, {1.0f, 1.0f, 1.0f});
    ageMessages(list, 0.5f);
    addMessage(list, "NEW", 450.0f, 330.0f, {1.0f, 1.0f, 1.0f});

    ageMessages(list, 0.25f);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"OLD", "NEW"}));
    EXPECT_EQ(list[0].timeLeft, 0.25f);
    EXPECT_EQ(list[1].timeLeft, 0.75f);

    ageMessages(list, 0.25f);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"NEW"})) << "at exactly 0 left it is gone";

    ageMessages(list, 0.4375f);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"NEW"}));
    EXPECT_EQ(list[0].timeLeft, 0.0625f);
    ageMessages(list, 0.125f);
    EXPECT_TRUE(list.empty());
    ageMessages(list, 0.05f);
    EXPECT_TRUE(list.empty());
}
