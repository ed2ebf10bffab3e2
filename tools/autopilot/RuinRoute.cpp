#include "RuinRoute.h"

#include "field/Field.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <queue>
#include <utility>

RuinRoute::RuinRoute(const Field& field)
{
    for (int row = 0; row < Size; ++row) {
        for (int col = 0; col < Size; ++col) {
            int top = 0;
            for (int layer = 0; layer < Field::Layers; ++layer) {
                if (field.Cell(row, layer, col) != CellEmpty) top = layer;
            }
            standing[Index({row, col})] = static_cast<int8_t>(top + 1);
        }
    }
}

int RuinRoute::StandingLayer(Column column) const
{
    return standing[Index(column)];
}

Column RuinRoute::ColumnAt(Vec3 position)
{
    const auto index = [](float world) {
        return std::clamp(static_cast<int>(world / Field::CellWidth), 0, Size - 1);
    };
    return {index(position.x), index(position.z)};
}

Vec3 RuinRoute::Centre(Column column)
{
    return {static_cast<float>(column.row) * Field::CellWidth + Field::CellWidth / 2, 0.0f,
            static_cast<float>(column.col) * Field::CellWidth + Field::CellWidth / 2};
}

bool RuinRoute::Inside(Column column)
{
    return column.row >= 0 && column.row < Size && column.col >= 0 && column.col < Size;
}

template <typename Visit> void RuinRoute::ForEachMove(Column from, Visit visit) const
{
    static constexpr int directions[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    const int here = StandingLayer(from);
    for (const auto& direction : directions) {
        const Column near{from.row + direction[0], from.col + direction[1]};
        if (!Inside(near)) continue;
        const int nearLayer = StandingLayer(near);
        if (nearLayer <= here) visit(near, StepCost);
        else if (nearLayer == here + 1) visit(near, ClimbCost);

        const Column far{from.row + 2 * direction[0], from.col + 2 * direction[1]};
        if (nearLayer < here && Inside(far) && StandingLayer(far) <= here) visit(far, GapCost);
    }
}

std::vector<Column> RuinRoute::Plan(Column from, Column to) const
{
    constexpr int unreached = std::numeric_limits<int>::max();
    std::array<int, Size * Size> cost;
    std::array<int, Size * Size> previous;
    cost.fill(unreached);
    previous.fill(-1);

    using Entry = std::pair<int, int>;   // cost so far, column index
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    cost[Index(from)] = 0;
    open.push({0, Index(from)});
    while (!open.empty()) {
        const int soFar = open.top().first;
        const int index = open.top().second;
        open.pop();
        if (soFar > cost[index]) continue;
        if (index == Index(to)) break;
        ForEachMove({index / Size, index % Size}, [&](Column next, int stepCost) {
            const int total = soFar + stepCost;
            if (total >= cost[Index(next)]) return;
            cost[Index(next)] = total;
            previous[Index(next)] = index;
            open.push({total, Index(next)});
        });
    }
    if (cost[Index(to)] == unreached) return {};

    std::vector<Column> route;
    for (int index = Index(to); index != -1; index = previous[index]) route.push_back({index / Size, index % Size});
    std::reverse(route.begin(), route.end());
    return route;
}
