#include "Autopilot.h"

#include "core/ErrorReport.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "field/Field.h"
#include "shell/Trace.h"
#include "stage/Stage.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;
constexpr uint64_t AcceptEvery = 40;        // frames between Space presses on the screens
constexpr uint64_t FinalPlayFrames = 10;    // frames of play recorded after the goal is shown
constexpr uint64_t StuckCheckEvery = 30;    // frames
constexpr float StuckDistance = 2.0f;       // world units moved within one check, at least
constexpr uint64_t EscapeFrames = 40;       // frames spent walking off after being stuck
constexpr float ShotRange = 35.0f;          // world units
constexpr uint64_t CastEvery = 12;          // frames between shots
constexpr float DefendRange = 30.0f;        // world units: enemies nearer are shot at
constexpr float TurnCarry = 3.3f;           // how far a turn coasts after the key is let go,
                                            // in frames of the present turn rate (1 / (1 - 1/1.3))

float Wrap(float angle)
{
    while (angle > Pi) angle -= 2 * Pi;
    while (angle < -Pi) angle += 2 * Pi;
    return angle;
}

float HorizontalDistance(Vec3 a, Vec3 b)
{
    return std::hypot(a.x - b.x, a.z - b.z);
}

// The standing body's centre is half its height above the floor.
int BodyLayer(const Player& player)
{
    return static_cast<int>(std::lround((player.position.y - player.size.y / 2) / Field::CellHeight));
}

}  // namespace

Autopilot::Autopilot(Goal goal, uint32_t seed) : goal(goal), seed(seed) {}

bool Autopilot::Run(uint64_t frameBudget)
{
    UseLogicOnlySettings();
    SharedRandom().Seed(seed);
    recording.seed = seed;
    if (!game.Init()) {
        outcome = "the game could not start";
        return false;
    }
    while (frame < frameBudget) {
        hands.Apply(Decide(), frame, game);
        game.Frame();
        trace.push_back(FormatTraceLine(game.Snapshot(frame)));
        ++frame;
        if (!CheckProgress()) return false;
        if (framesInFinalPlay >= FinalPlayFrames) return true;
    }
    outcome = "the frame budget ran out in scene " + std::to_string(game.State()) + " of stage " +
              std::to_string(game.StageRecord());
    return false;
}

// False when the run can no longer show its goal.
bool Autopilot::CheckProgress()
{
    const GameState state = game.State();
    const bool lostByLife = state == StateGameOverByLife;
    const bool lostByTime = state == StateGameOverByTime;
    if (lostByLife || lostByTime) {
        const bool wanted = (goal == Goal::LoseByLife && lostByLife) || (goal == Goal::LoseByTime && lostByTime);
        if (!wanted) {
            outcome = std::string("lost by ") + (lostByLife ? "LIFE" : "TIME") + " in stage " +
                      std::to_string(game.StageRecord());
            return false;
        }
        if (!lost) outcome = "lost in stage " + std::to_string(game.StageRecord()) + " at frame " + std::to_string(frame);
        lost = true;
    }
    const bool finalPlay = goal == Goal::ClearStage ? game.StageRecord() == 2 : lost;
    if (finalPlay && state == StatePlay) ++framesInFinalPlay;
    if (goal == Goal::ClearStage && framesInFinalPlay == 1) outcome = "stage 2 reached at frame " + std::to_string(frame);
    return true;
}

Intent Autopilot::Decide()
{
    if (game.State() != StatePlay || framesInFinalPlay > 0) return OnScreens();
    return InPlay();
}

// Space now and then moves every screen on; presses before a screen listens do nothing, and
// the pause between them leaves each screen on view for a while.
Intent Autopilot::OnScreens() const
{
    Intent intent;
    const GameState state = game.State();
    const bool waitsForSpace = state == StateTitle || state == StateStageClear ||
                               state == StateGameOverByLife || state == StateGameOverByTime;
    const bool newGameStarted = lost && state == StateTitle && framesInFinalPlay > 0;
    intent.accept = waitsForSpace && !newGameStarted && frame % AcceptEvery == 0;
    return intent;
}

Intent Autopilot::InPlay()
{
    if (goal == Goal::LoseByTime) return KeepTimeRunning();
    if (goal == Goal::LoseByLife && game.StageRecord() >= 2) return SeekEnemies();
    return TowardGoal();
}

// The key first; once it is taken, the exit it raised.
Intent Autopilot::TowardGoal()
{
    Intent intent;
    const WorldObject* target = Find(KindKey);
    if (!target) target = Find(KindExit);
    if (!target) return intent;
    FollowRoute(RuinRoute::ColumnAt(target->position), target->position, intent);
    CastAtEnemiesAhead(intent);
    return intent;
}

// Stands still off the magic circle (where TIME would stop) and shoots whatever comes close.
Intent Autopilot::KeepTimeRunning()
{
    Intent intent;
    const Player& player = *game.GetStage()->GetPlayer();
    if (game.GetField()->IsOnMagicCircle(player.position)) {
        Column next = RuinRoute::ColumnAt(player.position);
        next.row += next.row < 10 ? 1 : -1;
        Steer(RuinRoute::Centre(next), intent, true);
        return intent;
    }
    const WorldObject* enemy = NearestEnemy();
    if (enemy && HorizontalDistance(enemy->position, player.position) < DefendRange) {
        TurnToward(*enemy, intent);
        CastAtEnemiesAhead(intent);
    }
    return intent;
}

// Walks into the nearest enemy, again and again.
Intent Autopilot::SeekEnemies()
{
    Intent intent;
    const WorldObject* enemy = NearestEnemy();
    if (!enemy) return intent;
    const Player& player = *game.GetStage()->GetPlayer();
    if (HorizontalDistance(enemy->position, player.position) < 12.0f) {
        Steer(enemy->position, intent, true);
        if (enemy->position.y > player.position.y + 3.0f && OnGround()) intent.jump = true;
        if (Stuck() && OnGround()) intent.jump = true;
        return intent;
    }
    FollowRoute(RuinRoute::ColumnAt(enemy->position), enemy->position, intent);
    return intent;
}

void Autopilot::FollowRoute(Column target, Vec3 exactTarget, Intent& intent)
{
    const Player& player = *game.GetStage()->GetPlayer();
    const RuinRoute route(*game.GetField());
    const Column here = RuinRoute::ColumnAt(player.position);

    if (frame < escapeUntil) {
        Steer(RuinRoute::Centre(escapeColumn), intent, true);
        if (Stuck() && OnGround()) intent.jump = true;
        return;
    }
    if (here == target) {
        Steer(exactTarget, intent, true);
        if (exactTarget.y > player.position.y + 3.0f && OnGround()) intent.jump = true;
        if (Stuck() && OnGround()) intent.jump = true;
        return;
    }
    std::vector<Column> plan = route.Plan(here, target);
    // Standing lower than the column's top (in a hollow under an overhang, say) the plan may
    // not hold: the stuck check below sorts that out.
    if (plan.size() < 2) plan = {here, {here.row + (target.row > here.row ? 1 : target.row < here.row ? -1 : 0),
                                        here.col + (target.col > here.col ? 1 : target.col < here.col ? -1 : 0)}};
    const Column next = plan[1];
    Steer(RuinRoute::Centre(next), intent, true);
    if (BodyLayer(player) >= route.StandingLayer(here) - 1) JumpWhereNeeded(here, next, HeadingError(RuinRoute::Centre(next)), intent);

    if (!Stuck()) return;
    if (OnGround()) intent.jump = true;
    if (stuckCount < 3) return;
    // Still stuck after a few jumps: walk to a neighbour for a while and plan again from there.
    static constexpr int directions[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    const auto& direction = directions[(frame / StuckCheckEvery + seed) % 4];
    escapeColumn = {here.row + direction[0], here.col + direction[1]};
    if (!RuinRoute::Inside(escapeColumn)) escapeColumn = {here.row - direction[0], here.col - direction[1]};
    escapeUntil = frame + EscapeFrames;
    stuckCount = 0;
}

// Turns toward the target, letting go early enough that the coasting turn ends on it.
void Autopilot::Steer(Vec3 target, Intent& intent, bool walk) const
{
    const Player& player = *game.GetStage()->GetPlayer();
    const float error = HeadingError(target);
    const float coasting = error - player.turnRate * TurnCarry;
    intent.right = coasting > 0.04f;
    intent.left = coasting < -0.04f;
    intent.forward = walk && std::fabs(error) < 0.5f;
}

// A climb needs a jump close to the wall; a gap needs one at the edge, running.
void Autopilot::JumpWhereNeeded(Column here, Column next, float headingError, Intent& intent) const
{
    if (!OnGround()) return;
    const RuinRoute route(*game.GetField());
    const Vec3 position = game.GetStage()->GetPlayer()->position;
    const int dRow = next.row - here.row;
    const int dCol = next.col - here.col;
    float edge = 0.0f;   // world units from the centre to the side of this column facing `next`
    if (dRow > 0) edge = static_cast<float>(here.row + 1) * Field::CellWidth - position.x;
    if (dRow < 0) edge = position.x - static_cast<float>(here.row) * Field::CellWidth;
    if (dCol > 0) edge = static_cast<float>(here.col + 1) * Field::CellWidth - position.z;
    if (dCol < 0) edge = position.z - static_cast<float>(here.col) * Field::CellWidth;

    const bool gap = std::abs(dRow) == 2 || std::abs(dCol) == 2;
    const bool climb = !gap && route.StandingLayer(next) > route.StandingLayer(here);
    if (climb && edge < 4.0f && std::fabs(headingError) < 0.35f) intent.jump = true;
    if (gap && edge < 2.5f && std::fabs(headingError) < 0.25f) intent.jump = true;
}

void Autopilot::CastAtEnemiesAhead(Intent& intent)
{
    const Player& player = *game.GetStage()->GetPlayer();
    if (frame < lastCastFrame + CastEvery || player.mana < 3.0f) return;
    for (const WorldObject* o = game.GetStage()->First(); o; o = o->next) {
        if (!IsEnemy(o->kind) || o->dead) continue;
        const float distance = HorizontalDistance(o->position, player.position);
        if (distance > ShotRange || std::fabs(o->position.y - player.position.y) > 4.0f) continue;
        if (std::fabs(HeadingError(o->position)) > std::atan2(2.5f, distance) + 0.05f) continue;
        intent.cast = true;
        lastCastFrame = frame;
        return;
    }
}

void Autopilot::TurnToward(const WorldObject& enemy, Intent& intent) const
{
    Steer(enemy.position, intent, false);
}

// Once every check period: has the player moved at all? Counts checks in a row without.
bool Autopilot::Stuck()
{
    if (frame < lastStuckCheck + StuckCheckEvery) return false;
    const Vec3 position = game.GetStage()->GetPlayer()->position;
    const bool stuck = HorizontalDistance(position, stuckCheckPosition) < StuckDistance;
    lastStuckCheck = frame;
    stuckCheckPosition = position;
    stuckCount = stuck ? stuckCount + 1 : 0;
    return stuck;
}

const WorldObject* Autopilot::Find(int8_t kind) const
{
    for (const WorldObject* o = game.GetStage()->First(); o; o = o->next) {
        if (o->kind == kind && !o->dead) return o;
    }
    return nullptr;
}

const WorldObject* Autopilot::NearestEnemy() const
{
    const Vec3 at = game.GetStage()->GetPlayer()->position;
    const WorldObject* nearest = nullptr;
    float best = 0.0f;
    for (const WorldObject* o = game.GetStage()->First(); o; o = o->next) {
        if (!IsEnemy(o->kind) || o->dead) continue;
        const float distance = HorizontalDistance(o->position, at);
        if (!nearest || distance < best) {
            nearest = o;
            best = distance;
        }
    }
    return nearest;
}

// Facing f travels along (cos f, -sin f) in x and z.
float Autopilot::HeadingError(Vec3 target) const
{
    const Player& player = *game.GetStage()->GetPlayer();
    const float wanted = std::atan2(-(target.z - player.position.z), target.x - player.position.x);
    return Wrap(wanted - player.facing);
}

// The physics marks a body airborne every frame and the move grounds it again when supported.
bool Autopilot::OnGround() const
{
    return game.GetStage()->GetPlayer()->takeoffSpeed == 0.0f;
}
