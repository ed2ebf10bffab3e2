#include "SoakBot.h"

#include "core/VirtualKeys.h"
#include "game/Game.h"
#include "stage/Stage.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr float TurnSlack = 0.3f;   // radians: closer than this counts as facing the target

// The nearest living object accepted by `wanted`, or null.
template <typename Wanted> const WorldObject* Nearest(const Stage& stage, const Vec3& from, Wanted wanted)
{
    const WorldObject* best = nullptr;
    float bestDistance = std::numeric_limits<float>::max();
    for (const WorldObject* o = stage.First(); o != nullptr; o = o->next) {
        const float distance = std::hypot(from.x - o->position.x, from.z - o->position.z);
        if (!o->dead && wanted(o->kind) && distance < bestDistance) {
            best = o;
            bestDistance = distance;
        }
    }
    return best;
}

bool IsGoal(int8_t kind) { return kind == KindKey || kind == KindExit || kind == KindMapItem; }

}  // namespace

void SoakBot::Act(Game& game)
{
    wanted.clear();
    const int state = game.State();
    if (state != previousState && state == StateStageStart && previousState != StateStageClear) {
        const int draw = Between(0, 99);
        plan = draw < 35 ? Plan::Charge : draw < 45 ? Plan::Idle : draw < 85 ? Plan::Seek : Plan::Wander;
    }
    // Maps drop rarely; some stages hand one over so the overhead view gets its share of play.
    if (state != previousState && state == StatePlay && plan != Plan::Idle && Chance(25)) {
        game.GetStage()->SetMapState(MapHeld);
    }
    previousState = state;

    if (idleFrames > 0) {
        --idleFrames;
    } else if (state == StateTitle) {
        ActOnTitle();
    } else if (state == StatePlay) {
        ActInPlay(game);
    } else {
        ActOnScreen();
    }
    // Now and then a message the game does not act on arrives among the keys.
    if (Chance(1)) game.OnMessage(wm::MouseMove, 0, (Between(0, 479) << 16) | Between(0, 639));
    if (Chance(1)) game.OnMessage(wm::MusicNotify, wm::NotifySuccessful, 0);
    SendKeys(game);
}

// The title: look at the other mage now and then, flip the texture menu, and start.
void SoakBot::ActOnTitle()
{
    const int draw = Between(0, 99);
    if (draw < 4) Tap(Chance(50) ? vk::Left : vk::Right);
    else if (draw < 6) Tap(vk::Shift);
    else if (draw < 9) Tap(vk::Space);
    else if (draw < 10) idleFrames = Between(10, 200);
}

// Stage start, stage clear and game over: Space now and then, sometimes a long wait.
void SoakBot::ActOnScreen()
{
    if (Chance(8)) Tap(vk::Space);
    else if (Chance(1)) idleFrames = Between(20, 300);
    else if (Chance(2)) Hold(static_cast<uint8_t>(Between(vk::Left, vk::Down)));
}

void SoakBot::ActInPlay(Game& game)
{
    Stage& stage = *game.GetStage();
    if (stage.GetMapState() == MapView) {   // the overhead view: pan and zoom, then close it
        static constexpr uint8_t panKeys[] = {vk::Left, vk::Up, vk::Right, vk::Down, vk::PageUp, vk::PageDown};
        Hold(panKeys[Between(0, 5)]);
        if (Chance(2)) Tap(vk::Shift);
        return;
    }
    Player& me = *stage.GetPlayer();
    const WorldObject* target = plan == Plan::Charge ? Nearest(stage, me.position, IsEnemy)
                              : plan == Plan::Seek   ? Nearest(stage, me.position, IsGoal)
                                                     : nullptr;
    if (plan == Plan::Idle) {
        if (Chance(2)) Tap(vk::Z);   // a few shots into the air, then nothing at all
    } else if (target == nullptr) {
        Wander();
    } else if (plan == Plan::Seek && random() % 300 == 0) {
        // A greedy walker rarely finds the way up to a summit: now and then a seeker is lifted
        // onto its goal, so clears and later stages come up.
        me.position = target->position;
    } else {
        SteerToward(me, target->position);
        if (Chance(3)) Tap(vk::Z);
    }
    if (stage.GetMapState() == MapHeld && Chance(1)) Tap(vk::Shift);
}

void SoakBot::SteerToward(const Player& player, const Vec3& target)
{
    // The heading whose direction of travel (cos f, 0, -sin f) points at the target.
    const float heading = std::atan2(-(target.z - player.position.z), target.x - player.position.x);
    const float turn = std::remainder(heading - player.facing, 2.0f * std::numbers::pi_v<float>);
    if (turn > TurnSlack) Hold(vk::Right);
    if (turn < -TurnSlack) Hold(vk::Left);
    if (std::fabs(turn) < 1.2f) Hold(vk::Up);
    // Blocks in the way are climbed by jumping; a standing body jumps, a falling one ignores it.
    if (Chance(6)) Tap(vk::Space);
}

// Aimless play: mostly forward, turning, jumping, casting and glancing up and down.
void SoakBot::Wander()
{
    if (Chance(75)) Hold(vk::Up);
    else if (Chance(30)) Hold(vk::Down);
    if (Chance(30)) Hold(Chance(50) ? vk::Left : vk::Right);
    if (Chance(5)) Tap(vk::Space);
    if (Chance(4)) Tap(vk::Z);
    if (Chance(2)) Hold(Chance(50) ? vk::PageUp : vk::PageDown);
    if (Chance(1)) Tap(vk::Home);
}

// Key messages go out only for changes: a held key is not pressed again, a tap goes down this
// frame and up the next, like a quick finger.
void SoakBot::SendKeys(Game& game)
{
    std::set<uint8_t> next = wanted;
    next.insert(taps.begin(), taps.end());
    for (const uint8_t key : down) {
        if (!next.contains(key)) game.OnMessage(wm::KeyUp, key, 0);
    }
    for (const uint8_t key : next) {
        const bool again = down.contains(key) && taps.contains(key);
        if (again) game.OnMessage(wm::KeyUp, key, 0);   // let go and press anew between frames
        if (again || !down.contains(key)) game.OnMessage(wm::KeyDown, key, 0);
    }
    down = std::move(next);
    taps.clear();
}
