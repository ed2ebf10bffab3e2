#include "field/Field.h"

#include "field/BackFaces.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "graphics/Texture.h"

namespace {

// The surface pictures, in the order of Field::textures.
constexpr const char* surfaceNames[5] = {"IMAGE_FIELD0", "IMAGE_FIELD1", "IMAGE_FIELD2", "IMAGE_FIELD3", "IMAGE_FIELD4"};
constexpr uint16_t SurfaceSize = 48;   // pixels of each surface bitmap

constexpr int TextureBlockTop  = 0;
constexpr int TextureCircleTop = 1;
constexpr int TextureTopSide   = 2;   // sides of a column's top cell
constexpr int TextureSide      = 3;   // sides of cells with a block above
constexpr int TextureWall      = 4;

constexpr int8_t FaceTop = 4;

// The sky: pale blue overhead, paler toward the horizon, behind everything.
constexpr uint32_t SkyTopColour    = 0xff78beffu;
constexpr uint32_t SkyBottomColour = 0xffe6f0fau;

// The wall ring sits one unit below bare floor so it never fights the floor's top faces.
constexpr float WallTileY = -1.0f;

}  // namespace

void Field::CreateDrawingAssets()
{
    for (int i = 0; i < 5; ++i) {
        textures[i] = new Texture();
        textures[i]->LoadFromResource(graphics, surfaceNames[i], SurfaceSize, SurfaceSize);
    }
    background = new Sprite(graphics);
    background->ClearTexture();
    background->SetWidth(static_cast<int16_t>(Graphics::PictureWidth()));
    background->SetHeight(static_cast<int16_t>(Graphics::PictureHeight()));
    background->SetPosition(320.0f, 240.0f, 1.0f);
    background->SetCornerColour(0, SkyTopColour);
    background->SetCornerColour(1, SkyTopColour);
    background->SetCornerColour(2, SkyBottomColour);
    background->SetCornerColour(3, SkyBottomColour);
}

void Field::ReleaseDrawingAssets()
{
    for (Texture*& texture : textures) {
        delete texture;
        texture = nullptr;
    }
    delete background;
    background = nullptr;
}

// The sky lies at the far depth. Drawn after the ruin's opaque faces, under the depth test, it
// fills only what they leave uncovered and costs only what shows; nothing translucent has been
// drawn yet, so the picture is the same as with the sky first.
void Field::Draw(bool drawCells)
{
    if (graphics == nullptr) return;
    if (!drawCells) {
        background->Draw();
        return;
    }

    const BackFaces backFaces(*this, graphics->EarlierEye(), graphics->GetEye());
    for (int16_t row = 0; row < Rows; ++row) {
        for (int16_t layer = 0; layer < Layers; ++layer) {
            for (int16_t col = 0; col < Cols; ++col) DrawCell(row, layer, col, backFaces);
        }
    }
    background->Draw();

    graphics->SetBlendMode(BlendAlpha);
    for (int16_t a = -1; a <= Rows; ++a) {
        DrawWallTile(a, -1);
        DrawWallTile(a, Cols);
    }
    for (int16_t b = 0; b < Cols; ++b) {
        DrawWallTile(-1, b);
        DrawWallTile(Rows, b);
    }
    graphics->SetBlendMode(BlendOpaque);
}

void Field::DrawCell(int16_t row, int16_t layer, int16_t col, const BackFaces& backFaces)
{
    const int8_t cell = cells[row][layer][col];
    if (cell == CellEmpty) return;
    graphics->SetWorldTranslation(static_cast<float>(row * 10 + 5), static_cast<float>(layer * 5),
                                  static_cast<float>(col * 10 + 5));

    const bool columnTop = layer == Layers - 1 || cells[row][layer + 1][col] == CellEmpty;
    if (columnTop && !backFaces.Hidden(row, layer, col, FaceTop)) {
        graphics->SetTexture(textures[cell == CellBlock ? TextureBlockTop : TextureCircleTop]);
        graphics->DrawFace(FaceTop);
    }

    // The upper half of a side face lies in the plane of the same face of the cell above, whose
    // lower half is drawn later and covers it exactly: only the lower half needs drawing then.
    graphics->SetTexture(textures[columnTop ? TextureTopSide : TextureSide]);
    for (int8_t face = 0; face < 4; ++face) {
        if (!SideFaceShows(row, layer, col, face) || backFaces.Hidden(row, layer, col, face)) continue;
        const bool coveredAbove = !columnTop && SideFaceShows(row, layer + 1, col, face);
        graphics->DrawFace(face, coveredAbove);
    }
}

// A face hidden by a solid neighbour is skipped; at the field's edge it always shows.
bool Field::SideFaceShows(int row, int layer, int col, int8_t face) const
{
    const int r = row + SideStepRow[face], c = col + SideStepCol[face];
    return !(Contains(r, layer, c) && cells[r][layer][c] != CellEmpty);
}

void Field::DrawWallTile(int16_t a, int16_t b)
{
    graphics->SetWorldTranslation(static_cast<float>(a * 10 + 5), WallTileY, static_cast<float>(b * 10 + 5));
    graphics->SetTexture(textures[TextureWall]);
    graphics->DrawFace(FaceTop);
}
