// The four enemies of the ruin, each 48x48 and facing the viewer, three walk frames apiece
// (the game plays them 0, 1, 2, 1). Their silhouettes differ first (square and heavy, round
// and low, winged, tall and hooded) and their colours second (slate with cyan runes, magenta,
// ember red, night blue with green ghost fire), so a glance tells them apart.

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
    look.contour = false;
    look.shadow = 0;
    look.bias = bias;
    return look;
}

// ---------------------------------------------------------------------------------------------
// Kind 1: the rune golem. A slow heap of slate with moss on its shoulders and cyan runes that
// glow through the cracks. It lifts one stone foot at a time; its whole body sinks between steps.

Canvas RuneGolem(const ArtKit& kit, int frame)
{
    const float bob = frame == 1 ? 1.0f : 0.0f;
    const float leftLift = frame == 0 ? 3.0f : 0.0f;
    const float rightLift = frame == 2 ? 3.0f : 0.0f;
    const float leftSwing = frame == 0 ? 1.0f : frame == 2 ? -1.0f : 0.0f;

    Sculpture s = kit.NewSculpture(creatureSize, creatureSize);
    Look stone = kit.Plain("slate");
    stone.grain = 0.22f;
    stone.grainScale = 2.0f;
    stone.grainSeed = 11;

    Look leg = stone;
    leg.bias = -0.1f;
    s.Capsule(P(18.0f, 31 + bob), P(17.0f, 40.5f - leftLift), 4.4f, 4.0f, leg);
    s.Capsule(P(30.0f, 31 + bob), P(31.0f, 40.5f - rightLift), 4.4f, 4.0f, leg);
    s.Ellipse(P(16.0f, 43.0f - leftLift), P(5.8f, 3.2f), stone);
    s.Ellipse(P(32.0f, 43.0f - rightLift), P(5.8f, 3.2f), stone);

    Look body = stone;
    body.group = 1;
    s.Ellipse(P(24, 25 + bob), P(12.5f, 10.0f), body);
    Look plate = stone;
    plate.bias = 0.06f;
    plate.roundness = 0.6f;
    plate.clipGroup = 1;
    plate.group = 2;
    s.Polygon({P(17.5f, 20 + bob), P(30.5f, 20 + bob), P(28.5f, 31 + bob), P(19.5f, 31 + bob)}, plate);

    Look head = stone;
    head.group = 3;
    s.Ellipse(P(24, 13.5f + bob), P(7.2f, 6.0f), head);
    Look brow = stone;
    brow.bias = 0.12f;
    brow.roundness = 0.5f;
    brow.group = 3;
    s.Box(17.5f, 11 + bob, 30.5f, 13.6f + bob, brow);
    Look sockets = kit.Plain("slate", -0.6f);
    sockets.contour = false;
    sockets.roundness = 0.0f;
    sockets.clipGroup = 3;
    s.Box(19, 14 + bob, 23, 16 + bob, sockets);
    s.Box(25, 14 + bob, 29, 16 + bob, sockets);

    // Shoulders and arms stand in front of the body; a fist swung forward hangs lower and
    // looks bigger.
    for (const float side : {-1.0f, 1.0f}) {
        const float swing = side < 0 ? leftSwing : -leftSwing;
        const float x = 24 + side * 14.0f;
        Look shoulder = stone;
        shoulder.group = side < 0 ? 10 : 11;
        s.Capsule(P(x - side * 1.0f, 22 + bob), P(x + side * 1.0f, 29 + bob + swing), 3.8f, 4.0f, stone);
        s.Ellipse(P(x + side * 1.2f, 32.5f + bob + swing * 1.5f), P(4.6f + swing * 0.4f, 4.3f + swing * 0.4f), stone);
        s.Ellipse(P(x, 18.5f + bob), P(6.6f, 6.0f), shoulder);
        Look moss = kit.Plain("moss");
        moss.clipGroup = shoulder.group;
        moss.grain = 0.3f;
        moss.grainSeed = 5;
        moss.shadow = 0;
        s.Ellipse(P(x - side * 0.5f, 14.3f + bob), P(6.2f, 3.6f), moss);
    }
    Look headMoss = kit.Plain("moss");
    headMoss.clipGroup = 3;
    headMoss.grain = 0.3f;
    headMoss.grainSeed = 6;
    s.Ellipse(P(23, 7.8f + bob), P(5.5f, 2.6f), headMoss);

    Canvas picture = s.Render();
    const int b = static_cast<int>(bob);
    // Eyes and runes glow in the rune colour, lit from inside.
    const Rgba eye = kit.Colour("rune", 4);
    const Rgba eyeCore = kit.Colour("rune", 5);
    for (const int x : {20, 21, 26, 27}) picture.Set(x, 14 + b, eye);
    picture.Set(21, 14 + b, eyeCore);
    picture.Set(26, 14 + b, eyeCore);
    picture.Set(20, 15 + b, kit.Colour("rune", 2));
    picture.Set(27, 15 + b, kit.Colour("rune", 2));
    kit.Stamp(picture, "golem-rune", 20, 22 + b);
    Brighten(picture, P(24, 25.5f + b), 6.0f, kit.Colour("rune", 2), 0.35f);
    return picture;
}

// ---------------------------------------------------------------------------------------------
// Kind 2: the slime. A magenta jelly with a dark nucleus and bubbles; it creeps by squashing
// flat, gathering itself and stretching tall.

Canvas Slime(const ArtKit& kit, int frame)
{
    static const float radiusX[] = {18.5f, 16.8f, 15.0f};
    static const float radiusY[] = {11.5f, 13.5f, 15.5f};
    const float rx = radiusX[frame];
    const float ry = radiusY[frame];
    const float cy = 45.5f - ry * 0.92f;

    Sculpture s = kit.NewSculpture(creatureSize, creatureSize);
    Look jelly = kit.Plain("slime");
    jelly.group = 1;
    s.Ellipse(P(24, 43.5f), P(rx + 2.5f, 2.6f), jelly);
    s.Ellipse(P(24, cy), P(rx, ry), jelly);
    Look cut;
    cut.erase = true;
    s.Box(0, 45.5f, 48, 48, cut);

    Look core = kit.Plain("slimecore");
    core.clipGroup = 1;
    core.contour = false;
    core.shadow = 0;
    core.roundness = 0.5f;
    core.group = 1;
    s.Ellipse(P(27, cy + ry * 0.35f), P(rx * 0.33f, ry * 0.33f), core);
    Look bubble = kit.Plain("slime", 0.45f);
    bubble.clipGroup = 1;
    bubble.contour = false;
    bubble.shadow = 0;
    bubble.group = 1;
    s.Circle(P(15.5f, cy + ry * 0.42f), 1.6f, bubble);
    s.Circle(P(33.5f, cy + ry * 0.15f), 1.2f, bubble);
    s.Circle(P(30.0f, cy + ry * 0.62f), 1.1f, bubble);

    const float eyeY = cy - ry * 0.18f;
    for (const float side : {-1.0f, 1.0f}) {
        Look white = kit.Plain("eyewhite");
        white.roundness = 0.6f;
        s.Ellipse(P(24 + side * 5.2f, eyeY), P(3.3f, 4.2f), white);
        Look pupil = kit.Plain("slimecore", -0.9f);
        pupil.contour = false;
        pupil.shadow = 0;
        s.Ellipse(P(24 + side * 5.2f - 0.6f, eyeY + 1.0f), P(1.8f, 2.5f), pupil);
    }
    Look mouth = kit.Plain("slimecore", -0.6f);
    mouth.roundness = 0.3f;
    s.Ellipse(P(24, eyeY + 6.0f), P(3.2f, 1.2f + frame * 0.35f), mouth);

    Canvas picture = s.Render();
    const int ey = static_cast<int>(std::floor(eyeY));
    for (const int x : {18, 28}) picture.Set(x, ey - 1, kit.Colour("eyewhite", 4));
    // Wet gloss on the dome, toward the light.
    const int gx = static_cast<int>(24 - rx * 0.55f);
    const int gy = static_cast<int>(cy - ry * 0.55f);
    const Rgba gloss = kit.Colour("slime", 5);
    const Rgba shine = kit.Colour("eyewhite", 4);
    picture.Set(gx, gy + 1, gloss);
    picture.Set(gx + 1, gy, gloss);
    picture.Set(gx + 2, gy - 1, gloss);
    picture.Set(gx + 1, gy + 1, shine);
    picture.Set(gx, gy + 2, gloss);
    return picture;
}

// ---------------------------------------------------------------------------------------------
// Kind 3: the ember imp. Quick, horned, grinning, on leathery wings that beat up, level and down;
// the body rides up as the wings push down.

std::vector<Vec2> WingMembrane(Vec2 shoulder, float side, float angle, std::vector<Vec2>& tips)
{
    static const float lengths[] = {19.0f, 16.0f, 11.0f};
    static const float spread[] = {0.0f, 0.5f, 1.0f};
    tips.clear();
    std::vector<Vec2> outline{shoulder};
    for (int finger = 0; finger < 3; ++finger) {
        const float a = angle + spread[finger];
        const Vec2 tip{shoulder.x - side * std::cos(a) * lengths[finger], shoulder.y + std::sin(a) * lengths[finger]};
        if (finger > 0) {
            const Vec2 previous = tips.back();
            const Vec2 middle{(previous.x + tip.x) * 0.5f, (previous.y + tip.y) * 0.5f};
            outline.push_back({middle.x + (shoulder.x - middle.x) * 0.28f, middle.y + (shoulder.y - middle.y) * 0.28f});
        }
        tips.push_back(tip);
        outline.push_back(tip);
    }
    outline.push_back({shoulder.x + side * 1.0f, shoulder.y + 8.0f});
    return outline;
}

Canvas EmberImp(const ArtKit& kit, int frame)
{
    static const float wingAngles[] = {-1.25f, -0.35f, 0.45f};
    static const float bobs[] = {1.0f, 0.0f, -1.0f};
    const float b = bobs[frame];

    Sculpture s = kit.NewSculpture(creatureSize, creatureSize);
    for (const float side : {-1.0f, 1.0f}) {
        const Vec2 shoulder{24 + side * 4.5f, 24 + b};
        std::vector<Vec2> tips;
        Look membrane = kit.Plain("wing");
        membrane.roundness = 0.35f;
        membrane.group = side < 0 ? 20 : 21;
        s.Polygon(WingMembrane(shoulder, -side, wingAngles[frame], tips), membrane);
        Look boneLook = kit.Plain("wing", 0.45f);
        boneLook.group = membrane.group;
        boneLook.contour = false;
        for (const Vec2& tip : tips) s.Capsule(shoulder, tip, 1.3f, 0.6f, boneLook);
        s.Circle(tips.front(), 1.1f, kit.Plain("bone"));
    }

    Look tail = kit.Plain("imp");
    tail.group = 5;
    s.Stroke({P(27, 34 + b), P(32, 38 + b), P(36, 38 + b), P(38.5f, 34.5f + b)}, {1.8f, 1.5f, 1.2f, 1.0f}, tail);
    s.Polygon({P(36.5f, 33 + b), P(40.5f, 30 + b), P(41.5f, 35 + b)}, tail);

    Look skin = kit.Plain("imp");
    skin.group = 1;
    s.Capsule(P(21, 33 + b), P(20, 39 + b), 2.3f, 1.9f, kit.Plain("imp", -0.1f));
    s.Capsule(P(27, 33 + b), P(28, 39 + b), 2.3f, 1.9f, kit.Plain("imp", -0.1f));
    s.Ellipse(P(19.5f, 40.5f + b), P(2.6f, 1.4f), kit.Plain("imp", -0.1f));
    s.Ellipse(P(28.5f, 40.5f + b), P(2.6f, 1.4f), kit.Plain("imp", -0.1f));
    s.Ellipse(P(24, 29 + b), P(6.5f, 7.0f), skin);
    Look belly = kit.Plain("imp", 0.3f);
    belly.clipGroup = 1;
    belly.contour = false;
    belly.group = 1;
    s.Ellipse(P(24.5f, 31 + b), P(3.4f, 4.4f), belly);
    s.Capsule(P(19, 26 + b), P(16.5f, 31 + b), 2.0f, 1.6f, kit.Plain("imp"));
    s.Capsule(P(29, 26 + b), P(31.5f, 31 + b), 2.0f, 1.6f, kit.Plain("imp"));

    for (const float side : {-1.0f, 1.0f}) {
        s.Polygon({P(24 + side * 6, 14.5f + b), P(24 + side * 13.5f, 11 + b), P(24 + side * 7, 20 + b)},
                  kit.Plain("imp", -0.05f));
        Look horn = kit.Plain("bone");
        s.Stroke({P(24 + side * 4.5f, 11.5f + b), P(24 + side * 6.5f, 7.5f + b), P(24 + side * 6.8f, 3.5f + b)},
                 {2.1f, 1.4f, 0.5f}, horn);
    }
    Look head = kit.Plain("imp");
    head.group = 2;
    s.Ellipse(P(24, 17 + b), P(8.3f, 7.3f), head);
    for (const float side : {-1.0f, 1.0f}) {
        Look eye = Glowing(kit, "ember", 0.15f);
        s.Ellipse(P(24 + side * 3.6f, 16.5f + b), P(2.4f, 2.0f), eye);
    }
    Look mouth;
    mouth.ramp = &kit.RampOf("void");
    mouth.contour = false;
    s.Ellipse(P(24, 21.6f + b), P(3.8f, 1.5f), mouth);

    Canvas picture = s.Render();
    const int y = static_cast<int>(b);
    const Rgba slit = kit.Colour("void");
    picture.Set(20, 16 + y, slit);
    picture.Set(20, 17 + y, slit);
    picture.Set(27, 16 + y, slit);
    picture.Set(27, 17 + y, slit);
    const Rgba brow = kit.Colour("imp", 0);
    Line(picture, 18, 13 + y, 22, 14 + y, brow);
    Line(picture, 25, 14 + y, 29, 13 + y, brow);
    const Rgba fang = kit.Colour("bone", 5);
    picture.Set(22, 21 + y, fang);
    picture.Set(26, 21 + y, fang);
    picture.Set(22, 22 + y, kit.Colour("bone", 3));
    picture.Set(26, 22 + y, kit.Colour("bone", 3));
    return picture;
}

// ---------------------------------------------------------------------------------------------
// Kind 4: the wraith. A tall hooded cloak with nobody inside but two green lights, floating
// over green ghost fire, a lantern of the same fire in its bony hand. It drifts up and down and
// its tattered hem flutters.

std::vector<Vec2> CloakShape(float b, int frame)
{
    std::vector<Vec2> points{P(24, 5 + b), P(31, 9 + b), P(34, 18 + b), P(37, 30 + b), P(40, 41 + b)};
    // The tattered hem, right to left, fluttering with the frame.
    const float phase = static_cast<float>(frame) * 2.1f;
    for (int i = 0; i <= 10; ++i) {
        const float x = 40.0f - static_cast<float>(i) * 3.2f;
        const float deep = (i % 2 == 0) ? 44.0f : 38.5f;
        points.push_back(P(x + std::sin(phase + i) * 0.9f, deep + b + std::cos(phase * 0.7f + i * 1.3f) * 1.2f));
    }
    for (const Vec2& p : {P(11, 30 + b), P(14, 18 + b), P(17, 9 + b)}) points.push_back(p);
    return points;
}

Canvas Wraith(const ArtKit& kit, int frame)
{
    const float b = -static_cast<float>(frame) * 1.0f;
    Sculpture s = kit.NewSculpture(creatureSize, creatureSize);

    Look cloak = kit.Plain("cloak");
    cloak.roundness = 0.7f;
    cloak.group = 1;
    s.Polygon(CloakShape(b, frame), cloak);
    Look fold = kit.Plain("cloak", -0.25f);
    fold.clipGroup = 1;
    fold.group = 1;
    fold.roundness = 0.3f;
    for (const float x : {19.0f, 29.0f}) s.Polygon({P(x, 24 + b), P(x + 1.2f, 24 + b), P(x + 2.0f, 42 + b), P(x - 1.0f, 42 + b)}, fold);

    // Tongues of ghost fire licking up over the hem: a pale core inside each green flame.
    Look fire = Glowing(kit, "ghostfire", -0.35f);
    fire.outlineColour = kit.Colour("ghostfire", 0);
    Look core = Glowing(kit, "ghostfire", 0.25f);
    core.outline = false;
    const float flicker = static_cast<float>(frame);
    const auto tongue = [&](float x, float base, float height, float lean, float width) {
        const std::vector<Vec2> path{P(x, base), P(x - lean * 0.4f, base - height * 0.35f),
                                     P(x + lean * 0.4f, base - height * 0.7f), P(x + lean, base - height)};
        s.Stroke(path, {width, width * 0.8f, width * 0.45f, 0.3f}, fire);
        s.Stroke(path, {width * 0.45f, width * 0.35f, 0.15f, 0.1f}, core);
    };
    tongue(12.5f - flicker * 0.5f, 44.0f + b, 12.0f + flicker, -2.0f + flicker * 1.5f, 3.4f);
    tongue(32.0f + flicker * 0.5f, 44.5f + b, 12.0f - flicker, 1.5f - flicker * 1.5f, 3.2f);
    tongue(24.0f, 45.0f + b, 8.0f + (flicker == 1 ? 2.0f : 0.0f), (flicker - 1) * 2.0f, 3.0f);

    // Sleeves reach forward; the right one carries the lantern.
    s.Capsule(P(16, 19 + b), P(9.5f, 27 + b), 3.8f, 3.2f, kit.Plain("cloak"));
    s.Capsule(P(32, 19 + b), P(38, 25 + b), 3.8f, 3.2f, kit.Plain("cloak"));
    Look bone = kit.Plain("bone");
    s.Stroke({P(9, 29 + b), P(7, 32 + b), P(6.5f, 34 + b)}, {1.4f, 1.0f, 0.6f}, bone);
    s.Stroke({P(10.5f, 29.5f + b), P(10, 33 + b), P(10.5f, 35 + b)}, {1.4f, 1.0f, 0.6f}, bone);
    s.Ellipse(P(9.5f, 29 + b), P(2.4f, 1.8f), bone);
    s.Ellipse(P(38.5f, 27 + b), P(2.2f, 1.8f), bone);
    s.Box(38, 28 + b, 39.2f, 31 + b, kit.Plain("silver", -0.2f));
    Look lantern = kit.Plain("gold", -0.1f);
    lantern.roundness = 0.5f;
    s.Box(35.5f, 31 + b, 41.5f, 32.5f + b, lantern);
    s.Box(35.5f, 38 + b, 41.5f, 39.5f + b, lantern);
    Look flame = Glowing(kit, "ghostfire", -0.4f);
    flame.contour = true;
    s.Ellipse(P(38.5f, 35.3f + b), P(2.6f, 2.9f), flame);

    Look hood = kit.Plain("cloak");
    hood.group = 2;
    s.Ellipse(P(24, 14 + b), P(8.5f, 9.5f), hood);
    Look hollow;
    hollow.ramp = &kit.RampOf("void");
    hollow.clipGroup = 2;
    hollow.contour = false;
    hollow.group = 3;
    s.Ellipse(P(24, 16 + b), P(5.2f, 6.3f), hollow);

    Canvas picture = s.Render();
    const int y = static_cast<int>(std::floor(b));
    const Rgba light = kit.Colour("ghostfire", 4);
    const Rgba dim = kit.Colour("ghostfire", 2);
    for (const int x : {21, 26}) {
        picture.Set(x, 15 + y, light);
        picture.Set(x + 1, 15 + y, light);
        picture.Set(x, 16 + y, dim);
        picture.Set(x + 1, 16 + y, dim);
    }
    picture.Set(22, 15 + y, kit.Colour("ghostfire", 5));
    picture.Set(27, 15 + y, kit.Colour("ghostfire", 5));
    Brighten(picture, P(38.5f, 35 + b), 5.0f, kit.Colour("ghostfire", 3), 0.25f);
    return picture;
}

}  // namespace

Canvas DrawEnemy(const ArtKit& kit, int kind, int frame)
{
    switch (kind) {
    case 1: return RuneGolem(kit, frame);
    case 2: return Slime(kit, frame);
    case 3: return EmberImp(kit, frame);
    default: return Wraith(kit, frame);
    }
}
