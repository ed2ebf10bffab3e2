// The pick-ups, 32x32 each: the golden key, the treasure map, the hourglass of slow time, three
// refill flasks in the colours of the TIME, LIFE and MANA bars (blue with a clock, green with a
// heart, red with a star), the cloak of hiding, the winged boot and the star wand of free magic.
// Each is one bold object with a clear silhouette, so it reads at 30 pixels on screen.

#include <cmath>
#include <vector>

#include "ArtBook.h"
#include "Paint.h"

namespace {

constexpr float pi = 3.14159265f;

Vec2 P(float x, float y) { return {x, y}; }

// A point `along` the key's diagonal from its top-left end and `across` it toward the lower left.
Vec2 KeyPoint(float along, float across)
{
    const float k = 0.70710678f;
    return {6.0f + (along - across) * k, 6.0f + (along + across) * k};
}

Canvas Key(const ArtKit& kit)
{
    Sculpture s = kit.NewSculpture(itemSize, itemSize);
    Look gold = kit.Plain("gold");
    gold.group = 1;
    s.Capsule(KeyPoint(10, 0), KeyPoint(27, 0), 2.1f, 2.1f, gold);
    for (const float at : {19.0f, 24.0f}) {
        s.Polygon({KeyPoint(at, 0), KeyPoint(at + 3.2f, 0), KeyPoint(at + 3.2f, 5.5f), KeyPoint(at, 5.5f)}, gold);
    }
    Look collar = kit.Plain("gold", 0.05f);
    s.Ellipse(KeyPoint(11.5f, 0), P(3.0f, 3.0f), collar);
    Look bow = kit.Plain("gold");
    bow.group = 2;
    s.Circle(KeyPoint(5.5f, 0), 6.6f, bow);
    Look hole;
    hole.erase = true;
    s.Circle(KeyPoint(5.0f, 0), 2.6f, hole);
    Canvas picture = s.Render();
    Glint(picture, 26, 6, 2, kit.Colour("gold", 5), kit.Colour("gold", 4));
    Glint(picture, 6, 25, 1, kit.Colour("gold", 5), kit.Colour("gold", 3));
    return picture;
}

Canvas Map(const ArtKit& kit)
{
    Sculpture s = kit.NewSculpture(itemSize, itemSize);
    Look paper = kit.Plain("parchment", 0.1f, 0.35f);
    paper.group = 1;
    s.Polygon({P(6, 7), P(26, 6), P(26.5f, 25.5f), P(6, 26.5f)}, paper);
    Look roll = kit.Plain("parchment", -0.05f, 1.0f);
    s.Capsule(P(5.5f, 5.5f), P(5.5f, 27.5f), 2.6f, 2.6f, roll);
    s.Capsule(P(26.5f, 4.5f), P(26.5f, 26.5f), 2.6f, 2.6f, roll);
    Canvas picture = s.Render();
    kit.Stamp(picture, "map-marks", 8, 8);
    return picture;
}

Canvas Hourglass(const ArtKit& kit)
{
    Sculpture s = kit.NewSculpture(itemSize, itemSize);
    Look glass = kit.Plain("glass", 0.15f, 0.7f);
    glass.group = 1;
    s.Ellipse(P(16, 11.5f), P(5.6f, 5.4f), glass);
    s.Ellipse(P(16, 20.5f), P(5.6f, 5.4f), glass);
    s.Box(14.6f, 13.5f, 17.4f, 18.5f, glass);
    const Look sand = ClippedTo(kit.Plain("sand", 0.1f, 0.8f), 1);
    s.Ellipse(P(16, 25.0f), P(6.5f, 4.2f), sand);
    s.Polygon({P(11.5f, 12.5f), P(20.5f, 12.5f), P(17, 15.5f), P(15, 15.5f)}, sand);
    s.Box(15.5f, 15, 16.5f, 22, sand);
    Look post = kit.Plain("wood", 0.1f, 1.0f);
    s.Capsule(P(9.5f, 7), P(9.5f, 25), 1.3f, 1.3f, post);
    s.Capsule(P(22.5f, 7), P(22.5f, 25), 1.3f, 1.3f, post);
    Look cap = kit.Plain("gold", 0.0f, 0.7f);
    s.Box(7, 3.5f, 25, 7, cap);
    s.Box(7, 25, 25, 28.5f, cap);
    Canvas picture = s.Render();
    picture.Set(13, 9, kit.Colour("glass", 5));
    picture.Set(13, 10, kit.Colour("glass", 5));
    picture.Set(12, 19, kit.Colour("glass", 5));
    Glint(picture, 27, 13, 1, kit.Colour("crystal", 5), kit.Colour("crystal", 3));
    Glint(picture, 4, 20, 1, kit.Colour("crystal", 5), kit.Colour("crystal", 3));
    return picture;
}

Canvas Flask(const ArtKit& kit, const char* fluid, const char* symbol)
{
    Sculpture s = kit.NewSculpture(itemSize, itemSize);
    Look glass = kit.Plain("glass", 0.1f, 0.8f);
    glass.group = 1;
    s.Box(13, 4, 19, 12, glass);
    s.Circle(P(16, 19.5f), 10.0f, glass);
    Look liquid = ClippedTo(kit.Plain(fluid, 0.05f, 0.9f), 1);
    s.Circle(P(16, 19.5f), 8.6f, liquid);
    Look emptyTop = ClippedTo(kit.Plain("glass", 0.1f, 0.8f), 1);
    s.Box(0, 0, 32, 13.5f, emptyTop);
    Look surface = ClippedTo(kit.Plain(fluid, 0.45f, 0.3f), 1);
    s.Ellipse(P(16, 13.8f), P(7.0f, 1.2f), surface);
    Look cork = kit.Plain("cork", 0.0f, 0.7f);
    s.Box(12.5f, 1.5f, 19.5f, 5.5f, cork);
    Look lip = kit.Plain("glass", 0.2f, 0.6f);
    s.Box(12, 5.5f, 20, 7, lip);
    Canvas picture = s.Render();
    kit.Stamp(picture, symbol, 12, 17);
    picture.Set(10, 15, kit.Colour("glass", 5));
    picture.Set(9, 16, kit.Colour("glass", 5));
    picture.Set(9, 17, kit.Colour("glass", 4));
    picture.Set(14, 6, kit.Colour("glass", 5));
    return picture;
}

Canvas Cloak(const ArtKit& kit)
{
    Sculpture s = kit.NewSculpture(itemSize, itemSize);
    Look cloth = kit.Plain("cloakitem", 0.0f, 0.75f);
    cloth.group = 1;
    s.Polygon({P(11, 11), P(21, 11), P(25, 17), P(28.5f, 28), P(24, 26.5f), P(20, 29), P(16, 27), P(12, 29),
               P(8, 26.5f), P(3.5f, 28), P(7, 17)},
              cloth);
    const Look fold = ClippedTo(kit.Plain("cloakitem", -0.3f, 0.3f), 1);
    s.Polygon({P(12.5f, 17), P(13.5f, 17), P(12.5f, 28), P(11, 28)}, fold);
    s.Polygon({P(18.5f, 17), P(19.5f, 17), P(21, 28), P(19.5f, 28)}, fold);
    Look hood = kit.Plain("cloakitem", 0.05f);
    hood.group = 2;
    s.Ellipse(P(16, 9.5f), P(7.0f, 7.0f), hood);
    Look hollow;
    hollow.ramp = &kit.RampOf("void");
    hollow.clipGroup = 2;
    hollow.contour = false;
    s.Ellipse(P(16, 11), P(4.2f, 4.8f), hollow);
    Look clasp = kit.Plain("silver", 0.1f);
    s.Circle(P(16, 16.5f), 1.9f, clasp);
    Canvas picture = s.Render();
    Glint(picture, 27, 8, 2, kit.Colour("silver", 5), kit.Colour("cloakitem", 5));
    Glint(picture, 4, 15, 1, kit.Colour("silver", 5), kit.Colour("cloakitem", 4));
    picture.Set(25, 21, kit.Colour("cloakitem", 5));
    return picture;
}

Canvas WingedBoot(const ArtKit& kit)
{
    Sculpture s = kit.NewSculpture(itemSize, itemSize);
    Look feather = kit.Plain("feather", 0.0f, 0.8f);
    feather.group = 2;
    s.Ellipse(P(8.5f, 8.5f), P(6.2f, 2.1f), feather, 0.75f);
    s.Ellipse(P(6.5f, 12.5f), P(6.4f, 2.1f), feather, 0.35f);
    s.Ellipse(P(6.0f, 16.5f), P(5.6f, 2.0f), feather, 0.0f);
    Look leather = kit.Plain("leather", 0.0f, 0.75f);
    leather.group = 1;
    s.Polygon({P(11, 7), P(20, 7), P(20, 18), P(24, 20), P(28.5f, 22), P(29, 26.5f), P(10, 26.5f), P(11.5f, 18)},
              leather);
    const Look cuff = ClippedTo(kit.Plain("gold", 0.0f, 0.6f), 1);
    s.Box(0, 7, 32, 10, cuff);
    Look sole = kit.Plain("leather", -0.45f, 0.4f);
    s.Box(9.5f, 26, 29.5f, 28.5f, sole);
    Canvas picture = s.Render();
    const Rgba streak = kit.Colour("feather", 3);
    Line(picture, 1, 22, 6, 22, streak);
    Line(picture, 3, 25, 7, 25, streak);
    Line(picture, 0, 28, 5, 28, kit.Colour("feather", 2));
    picture.Set(22, 22, kit.Colour("gold", 4));
    picture.Set(25, 23, kit.Colour("gold", 4));
    return picture;
}

std::vector<Vec2> StarPoints(Vec2 centre, float outer, float inner, float turn)
{
    std::vector<Vec2> points;
    for (int i = 0; i < 10; ++i) {
        const float angle = turn - pi / 2.0f + static_cast<float>(i) * pi / 5.0f;
        const float radius = i % 2 == 0 ? outer : inner;
        points.push_back({centre.x + std::cos(angle) * radius, centre.y + std::sin(angle) * radius});
    }
    return points;
}

Canvas StarWand(const ArtKit& kit)
{
    Sculpture s = kit.NewSculpture(itemSize, itemSize);
    Look stick = kit.Plain("wand", 0.0f, 1.0f);
    s.Capsule(P(5, 28), P(17, 16), 1.6f, 1.4f, stick);
    Look cap = kit.Plain("gold", 0.0f);
    s.Capsule(P(4.5f, 28.5f), P(6.5f, 26.5f), 1.9f, 1.9f, cap);
    Look star = kit.Plain("gold", 0.2f, 0.7f);
    s.Polygon(StarPoints(P(20.5f, 11.5f), 9.5f, 4.2f, 0.12f), star);
    Canvas picture = s.Render();
    picture = WithHalo(picture, P(20.5f, 11.5f), P(14.0f, 14.0f), kit.Colour("gold", 5), 0.45f);
    Glint(picture, 6, 7, 2, kit.Colour("crystal", 5), kit.Colour("crystal", 3));
    Glint(picture, 28, 24, 2, kit.Colour("slime", 5), kit.Colour("slime", 3));
    picture.Set(13, 24, kit.Colour("gold", 5));
    picture.Set(11, 4, kit.Colour("gold", 5));
    return picture;
}

}  // namespace

Canvas DrawItem(const ArtKit& kit, Item item)
{
    switch (item) {
    case Item::Key: return Key(kit);
    case Item::Map: return Map(kit);
    case Item::SlowTime: return Hourglass(kit);
    case Item::TimeRefill: return Flask(kit, "timefluid", "clock");
    case Item::LifeRefill: return Flask(kit, "lifefluid", "heart");
    case Item::ManaRefill: return Flask(kit, "manafluid", "star");
    case Item::Cloak: return Cloak(kit);
    case Item::Swift: return WingedBoot(kit);
    case Item::FreeMagic: return StarWand(kit);
    }
    return Canvas(itemSize, itemSize);
}
