#include "StageWorld.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// Within a small turn of the line through `heading`, either way along it.
bool OnLine(float facing, float heading)
{
    for (float line : {heading, heading + Pi})
        if (std::fabs(std::remainder(facing - line, 2.0f * Pi)) < 0.15f) return true;
    return false;
}

struct EnemyTest : StageWorld {
    WorldObject* enemy = nullptr;

    void PlaceEnemy(Vec3 at, float facing, float speed)
    {
        stage.RemoveObjects(0);
        enemy = Spawn(KindEnemy1, at);
        enemy->facing = facing;
        enemy->speed = speed;
    }
};

enum class Ahead { OpenFloor, NoFloor, Wall };

struct Decision {
    int8_t move = 0;
    int8_t jump = 0;
    float  turn = 0.0f;   // added to the heading
};

// The walk's rules, draw by draw.
Decision Expected(Random& random, Ahead ahead, bool sighted)
{
    Decision d;
    const auto roll = [&](int range) { return random.Next() % range; };
    if (sighted && roll(3) != 0) d.move = 1;
    if (ahead == Ahead::NoFloor && roll(10) == 0) return {0, 0, Pi};
    if (ahead == Ahead::Wall && roll(2) != 0) return {1, 1, 0.0f};
    if (ahead == Ahead::OpenFloor && roll(5) == 0) return {1, 0, Pi};
    if (roll(5) == 0) return {1, 0, 0.0f};
    if (roll(10) == 0) d.turn += 0.1f;
    if (roll(10) == 0) d.turn -= 0.1f;
    if (roll(90) == 0) d.jump = d.move = 1;
    return d;
}

TEST_F(EnemyTest, DecisionsTakeTheirDrawsInOrderForEveryKindOfGroundAhead)
{
    Raise(5, 5, 1);   // a column to stand on, open floor beyond
    Raise(6, 8, 2);   // a wall two layers high
    const struct { Ahead ahead; Vec3 at; bool sighted; } cases[] = {
        {Ahead::OpenFloor, {25.0f, BodyRest, 25.0f}, false},
        {Ahead::NoFloor, {58.0f, 12.5f, 55.0f}, false},
        {Ahead::Wall, {58.0f, BodyRest, 85.0f}, false},
        {Ahead::OpenFloor, {25.0f, BodyRest, 25.0f}, true},   // the player straight ahead
    };
    for (const auto& c : cases) {
        player().position = c.sighted ? Vec3{45.0f, BodyRest, 25.0f} : Vec3{150.0f, BodyRest, 150.0f};
        for (uint32_t seed = 1; seed <= 300; ++seed) {
            PlaceEnemy(c.at, 0.0f, 3.0f);   // heading +x: "ahead" is 3 units on
            SharedRandom().Seed(seed);
            Random predicted(seed);
            const Decision expected = Expected(predicted, c.ahead, c.sighted);
            const Controls got = enemy->Think(field, player());
            ASSERT_EQ(got.move, expected.move) << "seed " << seed;
            ASSERT_EQ(got.jump, expected.jump) << "seed " << seed;
            ASSERT_FLOAT_EQ(enemy->facing, expected.turn) << "seed " << seed;
            ASSERT_EQ(SharedRandom().State(), predicted.State()) << "seed " << seed;
        }
    }
}

// A sighted enemy turns onto the line toward the player (the same frame may turn it about);
// the cloak hides the player.
TEST_F(EnemyTest, SightedEnemyHeadsForThePlayerUnlessItIsCloaked)
{
    player().position = {100.0f, BodyRest, 80.0f};   // 20 along -z: the heading pi/2
    for (const int8_t item : {int8_t{0}, int8_t{KindCloakItem}}) {
        for (uint32_t seed = 1; seed <= 50; ++seed) {
            SharedRandom().Seed(seed);
            PlaceEnemy({100.0f, BodyRest, 100.0f}, 0.0f, 0.5f);
            player().heldItem = item;
            enemy->Think(field, player());
            EXPECT_EQ(OnLine(enemy->facing, Pi / 2.0f), item == 0) << "seed " << seed;
        }
    }
}

}  // namespace
