// The two mages the player chooses between on the title screen (the chosen one also marks the
// player on the map). Left: Aldric, an old wizard in deep blue with a white beard, a tall bent
// hat and a staff crowned with a cyan crystal. Right: Sela, a young sorceress in crimson with
// golden hair, a wide plum hat and a fire orb held high. Each breathes through three idle frames
// while the crystal or the fire pulses.

#include <cmath>
#include <vector>

#include "ArtBook.h"
#include "Paint.h"

namespace {

Vec2 P(float x, float y) { return {x, y}; }

Look Glowing(const ArtKit& kit, const char* ramp, float bias = 0.0f)
{
    Look look = kit.Material(ramp);
    look.emissive = true;
    look.shadow = 0;
    look.bias = bias;
    return look;
}

// ---------------------------------------------------------------------------------------------

Canvas Aldric(const ArtKit& kit, int frame)
{
    static const float bobs[] = {0.0f, 0.0f, 1.0f};
    static const float sways[] = {-0.6f, 0.0f, 0.6f};
    const float b = bobs[frame];
    const float sway = sways[frame];

    Sculpture s = kit.NewSculpture(creatureSize, creatureSize);

    // The staff stands behind the right hand, from the crystal down to the ground.
    Look staff = kit.Plain("wood", 0.0f, 0.8f);
    staff.group = 30;
    s.Capsule(P(38.0f, 11 + b), P(38.5f, 46.0f), 1.5f, 1.4f, staff);
    Look prong = kit.Plain("gold", 0.0f, 0.8f);
    s.Stroke({P(38, 12.5f + b), P(35.6f, 10 + b), P(36, 6.5f + b)}, {1.0f, 0.9f, 0.6f}, prong);
    s.Stroke({P(38, 12.5f + b), P(40.4f, 10 + b), P(40, 6.5f + b)}, {1.0f, 0.9f, 0.6f}, prong);

    Look robe = kit.Plain("robeblue", 0.0f, 0.75f);
    robe.group = 1;
    s.Polygon({P(20, 21 + b), P(28, 21 + b), P(33, 24 + b), P(35.5f + sway, 37), P(37.5f + sway, 45.5f),
               P(31, 46.5f), P(24, 47), P(17, 46.5f), P(10.5f + sway, 45.5f), P(12.5f + sway, 37), P(15, 24 + b)},
              robe);
    const Look trim = ClippedTo(kit.Plain("gold", 0.0f, 0.6f), 1);
    s.Box(0, 43.5f, 48, 48, trim);
    s.Box(22.6f, 33.5f + b, 25.4f, 48, trim);
    Look belt = ClippedTo(kit.Plain("leather", 0.0f, 0.7f), 1);
    s.Box(0, 31 + b, 48, 33.6f + b, belt);
    Look buckle = kit.Plain("gold", 0.1f, 0.4f);
    s.Box(22.2f, 30.6f + b, 25.8f, 34 + b, buckle);

    // Left arm hangs in its wide sleeve; the right one reaches for the staff.
    Look sleeve = kit.Plain("robeblue", 0.05f, 0.9f);
    s.Capsule(P(16.5f, 25 + b), P(13.5f, 34 + b), 3.4f, 4.3f, sleeve);
    s.Capsule(P(31.5f, 25 + b), P(35.5f, 30 + b), 3.4f, 4.0f, sleeve);
    Look skin = kit.Plain("skin");
    s.Circle(P(13.5f, 37.2f + b), 2.3f, skin);
    s.Circle(P(38.0f, 30.5f + b), 2.4f, skin);

    s.Ellipse(P(24, 17.5f + b), P(5.2f, 5.4f), kit.Plain("skin", 0.1f, 0.7f));
    Look beard = kit.Plain("beard", 0.05f, 0.8f);
    beard.group = 2;
    s.Polygon({P(18.8f, 18.5f + b), P(21, 21.5f + b), P(27, 21.5f + b), P(29.2f, 18.5f + b), P(29.5f, 23 + b),
               P(27.5f, 29 + b), P(24.5f, 34.5f + b), P(22, 30 + b), P(18.5f, 23.5f + b)},
              beard);
    Look moustache = kit.Plain("beard", 0.15f);
    moustache.group = 2;
    s.Ellipse(P(22.0f, 21.3f + b), P(2.6f, 1.3f), moustache, 0.25f);
    s.Ellipse(P(26.0f, 21.3f + b), P(2.6f, 1.3f), moustache, -0.25f);

    Look hat = kit.Plain("hatblue", 0.0f, 0.8f);
    hat.group = 3;
    s.Polygon({P(16.5f, 13 + b), P(20, 7 + b), P(23, 3 + b), P(27, 0.5f + b), P(31.5f, 1.2f + b), P(28.2f, 4 + b),
               P(29, 8 + b), P(31.5f, 13 + b)},
              hat);
    const Look band = ClippedTo(kit.Plain("gold", 0.0f, 0.7f), 3);
    s.Box(0, 9.8f + b, 48, 12 + b, band);
    Look brim = kit.Plain("hatblue", 0.05f, 0.9f);
    s.Ellipse(P(24, 13.4f + b), P(12.0f, 2.7f), brim);

    Look crystal = Glowing(kit, "crystal", -0.1f + frame * 0.12f);
    crystal.outlineColour = kit.Colour("crystal", 0);
    s.Polygon({P(38, 1.5f + b), P(41.2f, 6 + b), P(38, 11 + b), P(34.8f, 6 + b)}, crystal);

    Canvas picture = s.Render();
    const int y = static_cast<int>(b);
    // Eyes in the shade of the brim, bushy white brows above them.
    const Rgba eye = kit.Colour("outline");
    picture.Set(22, 18 + y, eye);
    picture.Set(26, 18 + y, eye);
    const Rgba brow = kit.Colour("beard", 4);
    picture.Set(21, 17 + y, brow);
    picture.Set(22, 17 + y, brow);
    picture.Set(26, 17 + y, brow);
    picture.Set(27, 17 + y, brow);
    picture.Set(24, 19 + y, kit.Colour("skin", 5));
    kit.Stamp(picture, "hat-star", 21, 4 + y);
    picture = WithHalo(picture, P(38, 6.5f + b), P(8.0f + frame, 8.0f + frame), kit.Colour("crystal", 4), 0.55f);
    const Rgba sparkle = kit.Colour("crystal", 5);
    static const int sparkles[3][2] = {{43, 3}, {33, 2}, {44, 10}};
    Glint(picture, sparkles[frame][0], sparkles[frame][1] + y, frame == 1 ? 1 : 2, sparkle, kit.Colour("crystal", 3));
    return picture;
}

// ---------------------------------------------------------------------------------------------

Canvas Sela(const ArtKit& kit, int frame)
{
    static const float bobs[] = {0.0f, 0.0f, 1.0f};
    static const float sways[] = {0.6f, 0.0f, -0.6f};
    const float b = bobs[frame];
    const float sway = sways[frame];

    Sculpture s = kit.NewSculpture(creatureSize, creatureSize);

    Look hairBack = kit.Plain("hair", -0.15f, 0.8f);
    hairBack.group = 4;
    s.Polygon({P(17, 16 + b), P(31, 16 + b), P(32.5f + sway * 0.5f, 31 + b), P(28, 29 + b), P(20, 29 + b),
               P(15.5f + sway * 0.5f, 31 + b)},
              hairBack);

    Look dress = kit.Plain("crimson", 0.0f, 0.75f);
    dress.group = 1;
    s.Polygon({P(20.5f, 22 + b), P(27.5f, 22 + b), P(31.5f, 24.5f + b), P(28.5f, 31.5f + b), P(34 + sway, 39),
               P(38 + sway, 45.5f), P(33, 46.3f), P(28, 45.6f), P(24, 46.6f), P(20, 45.6f), P(15, 46.3f),
               P(10 + sway, 45.5f), P(14 + sway, 39), P(19.5f, 31.5f + b), P(16.5f, 24.5f + b)},
              dress);
    const Look hem = ClippedTo(kit.Plain("gold", 0.0f, 0.6f), 1);
    s.Box(0, 44.2f, 48, 48, hem);
    Look bodice = ClippedTo(kit.Plain("plum", 0.05f, 0.8f), 1);
    s.Polygon({P(19.5f, 25 + b), P(28.5f, 25 + b), P(27.5f, 32.5f + b), P(24, 34.5f + b), P(20.5f, 32.5f + b)}, bodice);

    // Right arm relaxed at her side; left arm raised high with the fire orb above the hand.
    Look sleeve = kit.Plain("crimson", 0.05f, 0.9f);
    s.Capsule(P(30.5f, 25 + b), P(33.5f, 33 + b), 3.0f, 3.6f, sleeve);
    Look skin = kit.Plain("skin");
    s.Circle(P(34.0f, 35.6f + b), 2.1f, skin);
    s.Capsule(P(17.5f, 25 + b), P(12.5f, 21 + b), 3.0f, 2.8f, sleeve);
    s.Capsule(P(12.5f, 21 + b), P(10.5f, 16 + b), 2.8f, 2.4f, sleeve);
    s.Circle(P(10.2f, 13.8f + b), 2.1f, skin);

    s.Ellipse(P(24, 18 + b), P(4.9f, 5.1f), kit.Plain("skin", 0.15f, 0.6f));
    Look hair = kit.Plain("hair", 0.08f, 0.8f);
    hair.group = 5;
    s.Stroke({P(19.2f, 15 + b), P(18.0f, 21 + b), P(18.5f + sway * 0.5f, 28 + b)}, {2.6f, 2.6f, 1.8f}, hair);
    s.Stroke({P(28.8f, 15 + b), P(30.0f, 21 + b), P(29.5f + sway * 0.5f, 28 + b)}, {2.6f, 2.6f, 1.8f}, hair);
    s.Polygon({P(19, 13.5f + b), P(29, 13.5f + b), P(28.5f, 16.5f + b), P(25.5f, 15.5f + b), P(22, 17 + b),
               P(19.5f, 17 + b)},
              hair);

    Look hat = kit.Plain("plum", 0.0f, 0.8f);
    hat.group = 3;
    s.Polygon({P(17.5f, 12.5f + b), P(19.5f, 7 + b), P(21.5f, 3.5f + b), P(19.5f, 0.5f + b), P(24.5f, 2.5f + b),
               P(27.5f, 6.5f + b), P(30.5f, 12.5f + b)},
              hat);
    const Look band = ClippedTo(kit.Plain("crimson", 0.1f, 0.7f), 3);
    s.Box(0, 9.5f + b, 48, 11.8f + b, band);
    Look brim = kit.Plain("plum", 0.1f, 0.9f);
    s.Ellipse(P(24, 12.8f + b), P(13.5f, 3.0f), brim, -0.04f);

    static const float orbSizes[] = {3.6f, 4.1f, 4.5f};
    Look orb = Glowing(kit, "fireorb", -0.05f);
    orb.outlineColour = kit.Colour("fireorb", 1);
    s.Circle(P(10.0f, 7.8f + b), orbSizes[frame], orb);

    Canvas picture = s.Render();
    const int y = static_cast<int>(b);
    const Rgba eye = kit.Colour("outline");
    picture.Set(22, 18 + y, eye);
    picture.Set(26, 18 + y, eye);
    picture.Set(21, 17 + y, kit.Colour("hair", 1));
    picture.Set(27, 17 + y, kit.Colour("hair", 1));
    picture.Set(24, 21 + y, kit.Colour("crimson", 3));
    picture.Set(23, 20 + y, kit.Colour("skin", 5));
    kit.Stamp(picture, "lacing", 23, 26 + y);
    picture = WithHalo(picture, P(10, 8 + b), P(9.0f + frame, 9.0f + frame), kit.Colour("fireorb", 3), 0.5f);
    static const int embers[3][2] = {{14, 3}, {6, 2}, {13, 1}};
    Glint(picture, embers[frame][0], embers[frame][1] + y, 1, kit.Colour("fireorb", 5), kit.Colour("fireorb", 3));
    return picture;
}

}  // namespace

Canvas DrawMage(const ArtKit& kit, int which, int frame)
{
    return which == 0 ? Aldric(kit, frame) : Sela(kit, frame);
}
