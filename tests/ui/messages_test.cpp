// Floating messages: rise and fade with age, shadow under each text, oldest drawn first.
#include <gtest/gtest.h>

#include <algorithm>

#include "draw/font.hpp"
#include "support/gl_double.hpp"
#include "ui/messages.hpp"

using namespace gldouble;

namespace {
std::vector<Primitive> textAlpha(float x, float y, std::string_view s, float r, float g, float b, float a)
{
    return recordPrimitives([&] { drawTextAlpha(x, y, s, 3.2f, {r, g, b}, a); });
}
}  // namespace

TEST(MessagesLook, RisingFadingTextsOverShadowsOldestFirst)
{
    // "1 GUN ADDED" is 211.2 wide at scale 3.2, so centred on 450 it starts at 344.4.
    const MessageList list = {
        {"1 GUN ADDED", 450, 330, 0.5f, 1.0f, 0.75f, 1.0f, 0.55f},  // half its life gone
        {"LEVEL 2", 450, 300, 1.0f, 1.0f, 0.55f, 0.85f, 1.0f},      // just born
    };
    const std::vector<Primitive> expected =
        textAlpha(347.4f, 311, "1 GUN ADDED", 0, 0, 0, 0.325f) + textAlpha(344.4f, 308, "1 GUN ADDED", 0.75f, 1.0f, 0.55f, 0.5f) +
        textAlpha(385.8f, 303, "LEVEL 2", 0, 0, 0, 0.65f) + textAlpha(382.8f, 300, "LEVEL 2", 0.55f, 0.85f, 1.0f, 1.0f);
    EXPECT_EQ(recordPrimitives([&] { drawMessages(list); }), expected);
}

TEST(MessagesLook, AgeIsHeldBetweenBirthAndEndOfLife)
{
    const MessageList overdue = {{"HEALTH FULL", 450, 330, -0.2f, 1.0f, 0.75f, 1.0f, 0.75f}};
    const MessageList young = {{"HEALTH FULL", 450, 330, 1.5f, 1.0f, 0.75f, 1.0f, 0.75f}};
    // 11 bytes: 211.2 wide, from 344.4.
    EXPECT_EQ(recordPrimitives([&] { drawMessages(overdue); }),
              textAlpha(347.4f, 289, "HEALTH FULL", 0, 0, 0, 0) + textAlpha(344.4f, 286, "HEALTH FULL", 0.75f, 1.0f, 0.75f, 0));
    EXPECT_EQ(recordPrimitives([&] { drawMessages(young); }),
              textAlpha(347.4f, 333, "HEALTH FULL", 0, 0, 0, 0.65f) +
                  textAlpha(344.4f, 330, "HEALTH FULL", 0.75f, 1.0f, 0.75f, 1.0f));
}

TEST(MessagesLook, LeavesTheBlendStateToTheFrame)
{
    const MessageList list = {{"5 HEALTH LOST", 450, 330, 0.7f, 1.0f, 1.0f, 0.18f, 0.18f}};
    const std::vector<Call> drawn = recordCalls([&] { drawMessages(list); });
    EXPECT_TRUE(std::none_of(drawn.begin(), drawn.end(), [](const Call& call) {
        return call.name == "glEnable" || call.name == "glDisable" || call.name == "glBlendFunc";
    }));
}
