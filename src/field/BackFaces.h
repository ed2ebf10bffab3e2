#pragma once
#include "graphics/Vec3.h"

#include <cstdint>

class Field;

// The faces of the ruin a frame may leave out because they are turned away from the eye.
//
// The blocks make closed solids: every face the field does not draw lies against another block
// (a neighbour beside it, the cell above it, or, for the upper half of a side, the cell above's
// lower half), except the underside of a block over a gap two cells deep. A face turned away
// from the eye can then be seen only through the solid it bounds, whose own nearer faces cover
// it: left out, the picture stays the same, and the renderer is spared the half of the ruin it
// would draw only to hide again. That holds while the eye looks at the solids from outside: not
// from inside a block, not so close to one that the near plane cuts it open, and not from below
// an underside that nothing covers. Otherwise every face is drawn, as always.
//
// Pictures between two frames are seen from eyes between the two frames' eyes (on a straight
// line, or on the orbit camera's arc), so a face is left out only when it is turned away from
// every one of them.
class BackFaces {
public:
    // earlierEye: the eye of the frame before (the same as eye when there is none).
    BackFaces(const Field& field, Vec3 earlierEye, Vec3 eye);

    // Whether face 0..4 of the cell (toward col - 1, col + 1, row - 1, row + 1, and the top) may
    // be left out.
    bool Hidden(int row, int layer, int col, int8_t face) const;

    // How near to a block the eye may come before the near plane can cut into it.
    static float NearPlaneReach();

private:
    static bool NearABlock(const Field& field, Vec3 eye, float reach);
    static float HighestOpenUnderside(const Field& field);
    static float InFront(Vec3 eye, int row, int layer, int col, int8_t face);

    bool leaveOut = false;
    Vec3 eyes[2];
    float slack = 0.0f;   // world units the eye may stray from the line between the two eyes
};
