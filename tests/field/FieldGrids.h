#pragma once
#include "field/Field.h"

#include <array>
#include <initializer_list>

// The top layer of every column, [row][col]; 0 is bare floor.
using Tops = std::array<std::array<int, Field::Cols>, Field::Rows>;

inline Tops TopsOf(const Field& field)
{
    Tops tops{};
    for (int r = 0; r < Field::Rows; ++r)
        for (int c = 0; c < Field::Cols; ++c)
            for (int layer = 1; layer < Field::Layers; ++layer)
                if (field.Cell(r, layer, c) != CellEmpty) tops[r][c] = layer;
    return tops;
}

// `everywhere`, except the listed {row, col, top}.
inline Tops TopsWith(int everywhere, std::initializer_list<std::array<int, 3>> listed = {})
{
    Tops tops;
    for (auto& row : tops) row.fill(everywhere);
    for (const auto& [row, col, top] : listed) tops[row][col] = top;
    return tops;
}

inline void Build(Field& field, const Tops& tops)
{
    for (int r = 0; r < Field::Rows; ++r)
        for (int c = 0; c < Field::Cols; ++c)
            for (int layer = 0; layer < Field::Layers; ++layer)
                field.SetCell(r, layer, c, layer <= tops[r][c] ? CellBlock : CellEmpty);
}
