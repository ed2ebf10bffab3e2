#include "field/Field.h"

Field::Field(Graphics* graphics) : graphics(graphics)
{
    CreateDrawingAssets();
    Reset(true);
}

Field::~Field()
{
    ReleaseDrawingAssets();
}

// Until the first ruin is built the field is bare floor: a stone layer 0 under open air.
void Field::Reset(bool resetCells)
{
    for (auto& row : regionIds)
        for (int16_t& id : row) id = 0;
    if (!resetCells) return;
    for (int row = 0; row < Rows; ++row)
        for (int layer = 0; layer < Layers; ++layer)
            for (int col = 0; col < Cols; ++col)
                cells[row][layer][col] = layer == 0 ? CellBlock : CellEmpty;
}

bool Field::Contains(int row, int layer, int col)
{
    return row >= 0 && row < Rows && layer >= 0 && layer < Layers && col >= 0 && col < Cols;
}
