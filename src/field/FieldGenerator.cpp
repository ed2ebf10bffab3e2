#include "field/Field.h"

#include "core/Random.h"

namespace {

// The places a figure can reach in one move from the top of a column: the eight neighbours and
// the four straight two-cell jumps, in the fixed order the builder walks them (row-major over
// the 5 by 5 square of offsets).
struct MoveOffset {
    int8_t dRow;
    int8_t dCol;
};

constexpr MoveOffset MoveCandidates[] = {
    {-2, 0},
    {-1, -1}, {-1, 0}, {-1, 1},
    {0, -2}, {0, -1}, {0, 1}, {0, 2},
    {1, -1}, {1, 0}, {1, 1},
    {2, 0},
};
constexpr int16_t MoveCandidateCount = sizeof(MoveCandidates) / sizeof(MoveCandidates[0]);

constexpr int16_t TopBuildLayer   = 6;   // random columns rise at most this high
constexpr int16_t LastHollowLayer = 4;   // hollows are opened in layers 1..4
constexpr int16_t HighestStanding = 6;   // a summit is never reported above this layer

bool IsJump(MoveOffset move)
{
    return move.dRow == 2 || move.dRow == -2 || move.dCol == 2 || move.dCol == -2;
}

bool InsideColumns(int row, int col)
{
    return row >= 0 && row < Field::Rows && col >= 0 && col < Field::Cols;
}

// Higher layers are sparser: one chance in 2 for layers 1 and 2, in 3 for 3..5, in 4 for 6.
// Each divisor is spelled out so this hottest loop of the builder needs no hardware division.
bool ColumnMayRise(Random& random, int layer)
{
    const int draw = random.Next();
    switch (layer / 3 + 2) {
    case 2:  return draw % 2 == 0;
    case 3:  return draw % 3 == 0;
    default: return draw % 4 == 0;
    }
}

}  // namespace

void Field::Generate()
{
    BuildColumns();
    OpenHollows();
    PruneUnreachable();
    int16_t row = 0;
    int16_t layer = 0;
    int16_t col = 0;
    PickSummit(row, layer, col);
    cells[row][layer - 1][col] = CellMagicCircle;
}

// The title screen's ruin: an open square of bare floor in the middle, with two single blocks
// for the mage figures to stand on. The magic circle may be lost under the clearing.
void Field::GenerateTitle()
{
    Generate();
    for (int row = 5; row <= 14; ++row)
        for (int layer = 1; layer < Layers; ++layer)
            for (int col = 5; col <= 14; ++col) cells[row][layer][col] = CellEmpty;
    cells[11][1][10] = CellBlock;
    cells[9][1][10] = CellBlock;
}

// Every cell of layers 1..6 costs one draw, whether or not it can become stone, so a seed
// always spends exactly 2,400 draws here.
void Field::BuildColumns()
{
    Reset(true);
    Random& random = SharedRandom();
    for (int16_t layer = 1; layer <= TopBuildLayer; ++layer) {
        for (int16_t row = 0; row < Rows; ++row) {
            for (int16_t col = 0; col < Cols; ++col) {
                cells[row][layer][col] = CellEmpty;
                if (!ColumnMayRise(random, layer)) continue;
                if (cells[row][layer - 1][col] != CellBlock) continue;
                if (HasMove(row, layer, col)) cells[row][layer][col] = CellBlock;
            }
        }
    }
}

// A hollow nobody can climb out of gets one block as a step; a ruin where even that is
// impossible is thrown away and built anew (rare enough that no limit is needed).
void Field::OpenHollows()
{
    while (!TryOpenHollows()) BuildColumns();
}

bool Field::TryOpenHollows()
{
    Reset(false);
    int16_t label = 1;
    for (int16_t layer = 1; layer <= LastHollowLayer; ++layer) {
        for (int16_t row = 0; row < Rows; ++row) {
            for (int16_t col = 0; col < Cols; ++col) {
                if (regionIds[row][col] != 0 || cells[row][layer][col] != CellEmpty) continue;
                if (!FloodHollow(label, row, layer, col) && !StepOutOfHollow(label, layer))
                    return false;
                ++label;
            }
        }
    }
    return true;
}

// Raises the first column of the hollow (row-major) from which a figure could then leave.
bool Field::StepOutOfHollow(int16_t label, int16_t layer)
{
    for (int16_t row = 0; row < Rows; ++row) {
        for (int16_t col = 0; col < Cols; ++col) {
            if (regionIds[row][col] != label || !HasMove(row, layer + 1, col)) continue;
            cells[row][layer][col] = CellBlock;
            regionIds[row][col] = 0;
            return true;
        }
    }
    return false;
}

// Labels the four-way connected open cells of one layer and tells whether the hollow touches a
// lower column (already labelled) or a neighbour exactly one block higher.
bool Field::FloodHollow(int16_t label, int16_t row, int16_t layer, int16_t col)
{
    if (!InsideColumns(row, col)) return false;
    if (regionIds[row][col] == label) return false;
    if (regionIds[row][col] > 0) return true;
    if (cells[row][layer][col] != CellEmpty) return cells[row][layer + 1][col] == CellEmpty;

    regionIds[row][col] = label;
    const bool up    = FloodHollow(label, row - 1, layer, col);
    const bool right = FloodHollow(label, row, layer, col + 1);
    const bool down  = FloodHollow(label, row + 1, layer, col);
    const bool left  = FloodHollow(label, row, layer, col - 1);
    return up || right || down || left;
}

// Every column two or more blocks high must have a way down to layer 1 by level or one-block-
// down moves; columns without one lose their top block until they do.
void Field::PruneUnreachable()
{
    Reset(false);
    int16_t label = 1;
    for (int16_t layer = Layers - 1; layer >= 2; --layer) {
        for (int16_t row = 0; row < Rows; ++row) {
            for (int16_t col = 0; col < Cols; ++col) {
                if (regionIds[row][col] != 0 || cells[row][layer][col] != CellBlock) continue;
                if (TraceDescent(label, row, layer, col)) ++label;
            }
        }
    }
}

// Depth-first search for a way down from the top of one column (at `layer`). Every move is
// followed even after one succeeded, so all columns reached get the same label.
bool Field::TraceDescent(int16_t label, int16_t row, int16_t layer, int16_t col)
{
    if (regionIds[row][col] > 0) return true;
    if (regionIds[row][col] == -1) return false;
    if (layer == 1) {
        regionIds[row][col] = label;
        return true;
    }

    regionIds[row][col] = -1;
    bool reachedGround = false;
    MoveCursor cursor;
    while (NextMove(row, layer, col, cursor)) {
        if (TraceDescent(label, row + cursor.dRow, layer + cursor.dLayer, col + cursor.dCol))
            reachedGround = true;
    }
    if (reachedGround) {
        regionIds[row][col] = label;
        return true;
    }
    regionIds[row][col] = 0;
    cells[row][layer][col] = CellEmpty;
    return false;
}

// Resumes after the candidate it returned last and tests against the grid as it is now: the
// descent search lowers columns between calls.
bool Field::NextMove(int16_t row, int16_t layer, int16_t col, MoveCursor& cursor) const
{
    if (layer < 1 || layer > Layers - 2) return false;   // callers stand on layers 1..6
    while (cursor.next < MoveCandidateCount) {
        const MoveOffset move = MoveCandidates[cursor.next++];
        const int targetRow = row + move.dRow;
        const int targetCol = col + move.dCol;
        if (!InsideColumns(targetRow, targetCol)) continue;
        // A jump may pass over a column at most one block higher than the jumper's top.
        if (IsJump(move) && layer + 2 < Layers &&
            cells[row + move.dRow / 2][layer + 2][col + move.dCol / 2] == CellBlock)
            continue;
        if (cells[targetRow][layer + 1][targetCol] != CellEmpty) continue;
        if (cells[targetRow][layer][targetCol] == CellBlock) {
            cursor.dLayer = 0;
        } else if (cells[targetRow][layer - 1][targetCol] == CellBlock) {
            cursor.dLayer = -1;
        } else {
            continue;
        }
        cursor.dRow = move.dRow;
        cursor.dCol = move.dCol;
        return true;
    }
    return false;
}

bool Field::HasMove(int16_t row, int16_t layer, int16_t col) const
{
    MoveCursor cursor;
    return NextMove(row, layer, col, cursor);
}

// Chooses the highest standing place of one random descent group; ties late in the scan win a
// coin toss against the place taken so far.
void Field::PickSummit(int16_t& row, int16_t& layer, int16_t& col)
{
    // A ruin with no column above layer 1 has no group to draw from; drawing would never end.
    if (!AnyColumnLabelled()) {
        PickHighestColumn(row, layer, col);
        return;
    }

    int pickedRow = 0;
    int pickedCol = 0;
    do {
        pickedRow = SharedRandom().Next() % Rows;
        pickedCol = SharedRandom().Next() % Cols;
    } while (regionIds[pickedRow][pickedCol] == 0);
    const int16_t group = regionIds[pickedRow][pickedCol];

    int16_t best = 0;
    for (int16_t r = 0; r < Rows; ++r) {
        for (int16_t c = 0; c < Cols; ++c) {
            if (regionIds[r][c] != group) continue;
            const int16_t standing = StandingLayer(r, c);
            if (standing < best) continue;
            if (standing == best && SharedRandom().Next() % 2 != 0) continue;
            best = standing;
            row = r;
            layer = standing;
            col = c;
        }
    }
}

bool Field::AnyColumnLabelled() const
{
    for (const auto& ids : regionIds)
        for (const int16_t id : ids)
            if (id != 0) return true;
    return false;
}

// The layer a figure on this column stands in: the first open layer above the floor, capped.
int16_t Field::StandingLayer(int row, int col) const
{
    int16_t layer = 1;
    while (layer < HighestStanding && cells[row][layer][col] != CellEmpty) ++layer;
    return layer;
}

void Field::PickHighestColumn(int16_t& row, int16_t& layer, int16_t& col) const
{
    int16_t best = 0;
    for (int16_t r = 0; r < Rows; ++r) {
        for (int16_t c = 0; c < Cols; ++c) {
            const int16_t standing = StandingLayer(r, c);
            if (standing <= best) continue;
            best = standing;
            row = r;
            layer = standing;
            col = c;
        }
    }
}
