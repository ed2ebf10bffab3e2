#pragma once
#include "graphics/Vec3.h"

#include <cstdint>

class BackFaces;
class Graphics;
class Keyboard;
class Sprite;
class Texture;

// What one cell of the ruin holds. The magic circle is a block like any other for walking and
// collision; only casting looks at it (magic is cheaper while standing on it).
enum FieldCell : int8_t {
    CellEmpty       = 0,   // air
    CellBlock       = 1,   // stone
    CellMagicCircle = 2,   // stone whose top shows the magic circle
};

// The ruin of one stage: 20 by 20 stone columns up to eight cells high, the random builder that
// raises them and repairs them until every hollow has a step out and every raised column a way
// down, and the queries that let bodies walk and collide in it.
//
// Grid (row, layer, col) against world units: row runs along x, col along z, layer along y. A
// cell is 10 units across and 5 high; its centre is at x = row * 10 + 5, z = col * 10 + 5 and its
// bottom at y = layer * 5. Outside 0..200 in x and z, and below y = 0, counts as solid.
class Field {
public:
    static constexpr int Rows   = 20;
    static constexpr int Layers = 8;
    static constexpr int Cols   = 20;

    static constexpr float CellWidth  = 10.0f;   // world units along x and z
    static constexpr float CellHeight = 5.0f;    // world units along y
    static constexpr float Extent     = 200.0f;  // the field covers 0..Extent in x and z

    using enum FieldCell;   // Field::CellBlock reads as well as CellBlock

    // Where NextMove stands in its list of twelve candidate moves, and the move it found last.
    struct MoveCursor {
        int16_t next   = 0;   // index of the next candidate to try, 0..12
        int16_t dRow   = 0;   // the move found: -2..2 rows
        int16_t dLayer = 0;   // 0 level, -1 one block down
        int16_t dCol   = 0;   // -2..2 cols
    };

    explicit Field(Graphics* graphics);
    ~Field();
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    // Building.
    void Generate();
    void GenerateTitle();
    void Reset(bool resetCells);
    void PickSummit(int16_t& row, int16_t& layer, int16_t& col);

    // Queries against world positions.
    bool IsSolidAt(float x, float y, float z) const;
    bool IsOnMagicCircle(Vec3 position) const;
    Vec3 MoveBox(Vec3 position, Vec3 velocity, Vec3 size) const;
    Vec3 RandomDropPoint() const;
    Vec3 RandomDropPointAway(float x, float z) const;

    // Overhead map.
    Vec3 UpdateMapView(const Keyboard& keyboard);

    void Draw(bool drawCells);

    // Side faces 0..3 of a cell look toward col - 1, col + 1, row - 1 and row + 1: the step to
    // the neighbour each one faces.
    static constexpr int SideStepRow[4] = {0, 0, -1, 1};
    static constexpr int SideStepCol[4] = {-1, 1, 0, 0};

    // Grid access. Coordinates must lie inside the grid (see Contains).
    static bool Contains(int row, int layer, int col);
    int8_t  Cell(int row, int layer, int col) const { return cells[row][layer][col]; }
    void    SetCell(int row, int layer, int col, int8_t value) { cells[row][layer][col] = value; }
    int16_t RegionId(int row, int col) const { return regionIds[row][col]; }
    Vec3    MapViewCentre() const { return mapViewCentre; }
    float   MapViewHeight() const { return mapViewHeight; }

private:
    friend class FieldTestAccess;   // lets the drawing tests tell the surface textures apart

    // Builder steps, run in this order by Generate.
    void BuildColumns();
    void OpenHollows();
    bool TryOpenHollows();
    bool StepOutOfHollow(int16_t label, int16_t layer);
    bool FloodHollow(int16_t label, int16_t row, int16_t layer, int16_t col);
    void PruneUnreachable();
    bool TraceDescent(int16_t label, int16_t row, int16_t layer, int16_t col);
    bool NextMove(int16_t row, int16_t layer, int16_t col, MoveCursor& cursor) const;
    bool HasMove(int16_t row, int16_t layer, int16_t col) const;
    bool AnyColumnLabelled() const;
    int16_t StandingLayer(int row, int col) const;
    void PickHighestColumn(int16_t& row, int16_t& layer, int16_t& col) const;

    bool ProbeFace(int axis, Vec3 facePoint, Vec3 size) const;
    Vec3 DropPointAt(int row, int col) const;

    // Drawing (the renderer's part).
    void CreateDrawingAssets();
    void ReleaseDrawingAssets();
    void DrawCell(int16_t row, int16_t layer, int16_t col, const BackFaces& backFaces);
    bool SideFaceShows(int row, int layer, int col, int8_t face) const;   // not hidden by a solid neighbour
    void DrawWallTile(int16_t a, int16_t b);

    Graphics* graphics;                          // not owned; may be null in tests and tools
    int8_t    cells[Rows][Layers][Cols];         // FieldCell, indexed [row][layer][col]
    Sprite*   background = nullptr;              // owned: the full-screen sky behind the ruin
    Texture*  textures[5] = {};                  // owned: block top, circle top, top side, side, wall
    Vec3      mapViewCentre;                     // map view target in cells: x rows, z cols, y 0
    float     mapViewHeight = 35.0f;             // map camera height, world units, 35..50
    int16_t   regionIds[Rows][Cols];             // builder labels: 0 none, >0 hollow or descent
                                                 // group, -1 on the descent path being traced
};
