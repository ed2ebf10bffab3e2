#include "field/RuinPrinter.h"

#include "core/Random.h"
#include "field/Field.h"

#include <memory>

namespace {

char CellSymbol(int8_t cell)
{
    if (cell == CellEmpty) return '.';
    if (cell == CellBlock) return '#';
    return '@';
}

void AppendLayer(std::string& text, const Field& field, int layer)
{
    text += "layer " + std::to_string(layer) + "\n";
    for (int row = 0; row < Field::Rows; ++row) {
        for (int col = 0; col < Field::Cols; ++col) text += CellSymbol(field.Cell(row, layer, col));
        text += '\n';
    }
}

}  // namespace

std::string PrintRuin(uint32_t seed, bool title)
{
    const auto field = std::make_unique<Field>(nullptr);
    Random& random = SharedRandom();
    random.Seed(seed);
    const uint64_t drawsBefore = random.DrawCount();
    if (title)
        field->GenerateTitle();
    else
        field->Generate();
    const uint64_t draws = random.DrawCount() - drawsBefore;

    std::string text;
    text.reserve(Field::Layers * (8 + Field::Rows * (Field::Cols + 1)) + 32);
    for (int layer = 0; layer < Field::Layers; ++layer) AppendLayer(text, *field, layer);
    text += "draws " + std::to_string(draws) + "\n";
    return text;
}
