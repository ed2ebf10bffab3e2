#pragma once
#include "graphics/Vec3.h"

#include <array>
#include <cstdint>
#include <vector>

class Field;

// One column of the ruin, by grid index (row along x, col along z).
struct Column {
    int row = 0;   // 0..19
    int col = 0;   // 0..19

    friend bool operator==(const Column&, const Column&) = default;
};

// A walking plan over the ruin's columns. A body stands on a column one layer above its top
// block; from there it can walk to a neighbour at the same height or lower, jump onto a
// neighbour one layer higher, or jump across a one-column gap that lies below it onto a column
// no higher than itself. Jumps cost more than steps, so a plan prefers to walk.
class RuinRoute {
public:
    explicit RuinRoute(const Field& field);

    int StandingLayer(Column column) const;   // 1..8: the first layer above the top block
    static Column ColumnAt(Vec3 position);     // the column a world position lies over
    static Vec3 Centre(Column column);         // its centre, world units (y = 0)
    static bool Inside(Column column);

    // Columns from `from` to `to`, both included; empty when `to` cannot be reached.
    std::vector<Column> Plan(Column from, Column to) const;

private:
    static constexpr int Size = 20;           // columns along each axis
    static constexpr int StepCost = 1;        // walking to a neighbour level or down
    static constexpr int ClimbCost = 3;       // jumping onto a neighbour one layer up
    static constexpr int GapCost = 8;         // jumping across a lower column

    static int Index(Column column) { return column.row * Size + column.col; }
    template <typename Visit> void ForEachMove(Column from, Visit visit) const;

    std::array<int8_t, Size * Size> standing{};   // standing layer of every column
};
