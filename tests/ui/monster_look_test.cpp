// How a monster is drawn: body, eyes, mouth, then its hit-point bar above it.
#include <gtest/gtest.h>

#include "ui/monster_look.hpp"
#include "game/monsters.hpp"
#include "support/gl_double.hpp"

using namespace gldouble;

namespace {
Monster bigMonsterWith(std::int32_t hitPoints)
{
    Monster monster;
    monster.kind = MonsterKind::Big;
    monster.x = 200;
    monster.y = 150;
    monster.width = 56;
    monster.height = 44;
    monster.hitPoints = hitPoints;
    monster.maxHitPoints = 120;
    monster.color = {1.0f, 0.1f, 0.08f};
    return monster;
}
}  // namespace

TEST(MonsterLook, BodyFaceThenHitPointBar)
{
    const std::vector<Primitive> expected = {
        rect(200, 150, 56, 44, 1.0f, 0.1f, 0.08f),
        disc(211, 163, 3, 0, 0, 0),
        disc(245, 163, 3, 0, 0, 0),
        rect(210, 182, 36, 3, 0, 0, 0),
        rect(200, 142, 56, 4, 0.22f, 0.04f, 0.04f),
        rect(200, 142, 14, 4, 0.1f, 0.95f, 0.1f),
    };
    EXPECT_EQ(recordPrimitives([] { drawMonster(bigMonsterWith(30)); }), expected);
}

TEST(MonsterLook, BarFillStaysWithinTheBar)
{
    const struct {
        std::int32_t hitPoints;
        float fillWidth;
    } cases[] = {{-40, 0}, {0, 0}, {60, 28}, {120, 56}, {300, 56}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hitPoints);
        const std::vector<Primitive> drawn = recordPrimitives([&] { drawMonster(bigMonsterWith(c.hitPoints)); });
        ASSERT_EQ(drawn.size(), 6u);
        EXPECT_EQ(drawn.back(), rect(200, 142, c.fillWidth, 4, 0.1f, 0.95f, 0.1f));
    }
}
