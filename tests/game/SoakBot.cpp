#include "SoakBot.h"

#include "core/VirtualKeys.h"
#include "game/Game.h"
#include "stage/Stage.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr float TurnSlack = 0.3f;   // radians: closer than this counts as facing the target
constexpr int StuckLimit = 200;     // frames without getting closer before a seeker gets help
constexpr int8_t TitleTextureMenuPhase = 5;   // the title's phase while its texture menu is up

// The signed angle from `from` to `to`, in -pi..pi.
float AngleBetween(float from, float to)
{
    return std::remainder(to - from, 2.0f * std::numbers::pi_v<float>);
}

// The heading whose direction of travel (cos f, 0, -sin f) points from `from` to `to`.
float HeadingTo(const Vec3& from, const Vec3& to)
{
    return std::atan2(-(to.z - from.z), to.x - from.x);
}

float FlatDistance(const Vec3& a, const Vec3& b)
{
    return std::hypot(a.x - b.x, a.z - b.z);
}

// The nearest living object accepted by `wanted`, or null.
template <typename Wanted> const WorldObject* Nearest(const Stage& stage, const Vec3& from, Wanted wanted)
{
    const WorldObject* best = nullptr;
    float bestDistance = std::numeric_limits<float>::max();
    for (const WorldObject* o = stage.First(); o != nullptr; o = o->next) {
        if (o->dead || !wanted(o->kind)) continue;
        const float distance = FlatDistance(from, o->position);
        if (distance < bestDistance) {
            best = o;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

void SoakBot::Act(Game& game)
{
    wanted.clear();
    const int state = game.State();
    const bool sceneChanged = state != previousState;
    if (sceneChanged && state == StateStageStart && previousState != StateStageClear) ChoosePlan();
    // Maps drop rarely; some stages hand one over so the overhead view gets its share of play.
    if (sceneChanged && state == StatePlay && plan != Plan::Idle && Chance(25)) {
        game.GetStage()->SetMapState(MapHeld);
    }
    previousState = state;

    if (idleFrames > 0) {
        --idleFrames;
    } else if (state == StateTitle) {
        ActOnTitle(game);
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

void SoakBot::ChoosePlan()
{
    const int draw = Between(0, 99);
    if (draw < 35) plan = Plan::Charge;
    else if (draw < 45) plan = Plan::Idle;
    else if (draw < 85) plan = Plan::Seek;
    else plan = Plan::Wander;
}

// The title: look at the other mage now and then, flip the texture menu, and start.
void SoakBot::ActOnTitle(Game& game)
{
    if (game.Screens().titlePhase == TitleTextureMenuPhase) {
        if (Chance(10)) Tap(Chance(50) ? vk::Left : vk::Right);
        else if (Chance(5)) Tap(vk::Space);
        return;
    }
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
    if (stage.GetMapState() == MapView) {
        UseMapView();
        return;
    }
    const Vec3 me = stage.GetPlayer()->position;
    switch (plan) {
    case Plan::Idle:
        if (Chance(2)) Tap(vk::Z);   // a few shots into the air, then nothing at all
        return;
    case Plan::Charge:
        if (const WorldObject* enemy = Nearest(stage, me, IsEnemy)) {
            SteerToward(game, enemy->position);
            return;
        }
        break;
    case Plan::Seek: {
        const auto goal = [](int8_t kind) { return kind == KindKey || kind == KindExit || kind == KindMapItem; };
        if (const WorldObject* target = Nearest(stage, me, goal)) {
            if (StuckOn(*target, FlatDistance(me, target->position))) {
                // A greedy walker rarely finds the way up to a summit; a seeker that has made
                // no headway for long is lifted onto its goal, so clears and later stages come up.
                stage.GetPlayer()->position = target->position;
                return;
            }
            SteerToward(game, target->position);
            if (Chance(3)) Tap(vk::Z);
            if (stage.GetMapState() == MapHeld && Chance(1)) Tap(vk::Shift);
            return;
        }
        break;
    }
    case Plan::Wander:
        break;
    }
    Wander();
    if (stage.GetMapState() == MapHeld && Chance(2)) Tap(vk::Shift);
}

bool SoakBot::StuckOn(const WorldObject& target, float distance)
{
    // Goals never move, so kind and place name one; an address would differ from build to build.
    const bool sameTarget = target.kind == seekKind && target.position.x == seekPlace.x &&
                            target.position.y == seekPlace.y && target.position.z == seekPlace.z;
    if (!sameTarget || distance < bestDistance - 1.0f) {
        seekKind = target.kind;
        seekPlace = target.position;
        bestDistance = distance;
        stuckFrames = 0;
        return false;
    }
    if (++stuckFrames < StuckLimit) return false;
    stuckFrames = 0;
    return true;
}

void SoakBot::SteerToward(const Game& game, const Vec3& target)
{
    const Player& player = *game.GetStage()->GetPlayer();
    const float turn = AngleBetween(player.facing, HeadingTo(player.position, target));
    if (turn > TurnSlack) Hold(vk::Right);
    if (turn < -TurnSlack) Hold(vk::Left);
    if (std::fabs(turn) < 1.2f) Hold(vk::Up);
    // Blocks in the way are climbed by jumping; a standing body jumps, a falling one ignores it.
    if (Chance(6)) Tap(vk::Space);
}

// Plausible aimless play: moods of turning and walking, jumps, shots and glances up and down.
void SoakBot::Wander()
{
    if (moodFrames-- <= 0) {
        moodFrames = Between(10, 120);
        moodTurn = static_cast<int8_t>(Between(-1, 1));
        moodWalk = static_cast<int8_t>(Chance(75) ? 1 : Between(-1, 0));
    }
    if (moodTurn < 0) Hold(vk::Left);
    if (moodTurn > 0) Hold(vk::Right);
    if (moodWalk > 0) Hold(vk::Up);
    if (moodWalk < 0) Hold(vk::Down);
    if (Chance(5)) Tap(vk::Space);
    if (Chance(4)) Tap(vk::Z);
    if (Chance(2)) Hold(Chance(50) ? vk::PageUp : vk::PageDown);
    if (Chance(1)) Tap(vk::Home);
}

// The overhead view: pan and zoom around for a while, then close it again.
void SoakBot::UseMapView()
{
    ++mapViewFrames;
    static constexpr uint8_t panKeys[] = {vk::Left, vk::Up, vk::Right, vk::Down, vk::PageUp, vk::PageDown};
    if (panFrames-- <= 0) {
        panFrames = Between(5, 40);
        panKey = panKeys[Between(0, 5)];
    }
    Hold(panKey);
    if (Chance(2)) Tap(vk::Shift);
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
