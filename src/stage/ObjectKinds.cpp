#include "stage/ObjectKinds.h"

namespace {

struct KindEntry {
    int8_t    kind;
    KindSetup setup;
};

constexpr float ItemSize = 3.5f;
constexpr float BodySize = 5.0f;

// The sheet keeps enemies and the exit as rows of three 48-pixel pictures, the figures as
// columns of three, and every small item as a single 32-pixel picture.
constexpr KindEntry kindTable[] = {
    {KindPlayer,        {BodySize, 0.7f, 1.2f, false, {}, 0, false}},
    {KindEnemy1,        {BodySize, 0.5f, 1.2f, true, {0, 0, 48, 48}, 3, false}},
    {KindEnemy2,        {BodySize, 0.5f, 1.2f, true, {0, 48, 48, 48}, 3, false}},
    {KindEnemy3,        {BodySize, 0.8f, 1.2f, true, {0, 96, 48, 48}, 3, false}},
    {KindEnemy4,        {BodySize, 0.8f, 1.2f, true, {0, 144, 48, 48}, 3, false}},
    {KindKey,           {ItemSize, 0.0f, 0.0f, true, {160, 160, 32, 32}, 1, false}},
    {KindTimeRefill,    {ItemSize, 0.0f, 0.0f, true, {160, 192, 32, 32}, 1, false}},
    {KindLifeRefill,    {ItemSize, 0.0f, 0.0f, true, {192, 192, 32, 32}, 1, false}},
    {KindManaRefill,    {ItemSize, 0.0f, 0.0f, true, {224, 192, 32, 32}, 1, false}},
    {KindSlowTimeItem,  {ItemSize, 0.0f, 0.0f, true, {224, 160, 32, 32}, 1, false}},
    {KindCloakItem,     {ItemSize, 0.0f, 0.0f, true, {160, 224, 32, 32}, 1, false}},
    {KindSwiftItem,     {ItemSize, 0.0f, 0.0f, true, {192, 224, 32, 32}, 1, false}},
    {KindFreeMagicItem, {ItemSize, 0.0f, 0.0f, true, {224, 224, 32, 32}, 1, false}},
    {KindMapItem,       {ItemSize, 0.0f, 0.0f, true, {192, 160, 32, 32}, 1, false}},
    {KindExit,          {ItemSize, 0.0f, 0.0f, true, {0, 192, 48, 48}, 3, false}},
    {KindMagicShot,     {0.5f, 0.0f, 0.0f, true, {240, 0, 16, 16}, 1, false}},
    {KindFigure0,       {BodySize, 0.0f, 0.0f, true, {144, 0, 48, 48}, 3, true}},
    {KindFigure1,       {BodySize, 0.0f, 0.0f, true, {192, 0, 48, 48}, 3, true}},
};

}  // namespace

const KindSetup* FindKindSetup(int8_t kind)
{
    for (const KindEntry& entry : kindTable)
        if (entry.kind == kind) return &entry.setup;
    return nullptr;
}

Rect KindFrame(const KindSetup& setup, int index)
{
    Rect frame = setup.firstFrame;
    if (setup.framesDown)
        frame.y += index * frame.height;
    else
        frame.x += index * frame.width;
    return frame;
}
