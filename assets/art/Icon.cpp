// The window icon: the wizard's tall blue hat with its gold band and star, set on a violet disc
// of night sky with a few stars, so it reads at 16 pixels in a task bar as well as at 32.

#include "ArtBook.h"
#include "Paint.h"

namespace {

Vec2 P(float x, float y) { return {x, y}; }

}  // namespace

Canvas DrawGameIcon(const ArtKit& kit)
{
    constexpr int iconSize = 32;
    Sculpture s = kit.NewSculpture(iconSize, iconSize);
    Look sky = kit.Material("portal");
    sky.emissive = true;
    sky.bias = -0.35f;
    sky.contour = false;
    sky.shadow = 0;
    s.Circle(P(16, 16), 15.0f, sky);

    Look hat = kit.Material("hatblue");
    hat.roundness = 0.8f;
    hat.group = 2;
    s.Polygon({P(8.5f, 24), P(12, 15), P(15, 8), P(18.5f, 3.5f), P(25, 2.5f), P(21.5f, 6), P(21, 14), P(23.5f, 24)}, hat);
    Look band = kit.Material("gold");
    band.roundness = 0.7f;
    band.clipGroup = 2;
    band.group = 2;
    band.shadow = 0;
    s.Box(0, 19, 32, 22, band);
    Look brim = kit.Material("hatblue");
    brim.bias = 0.05f;
    s.Ellipse(P(16, 24.5f), P(13.5f, 3.6f), brim);

    Canvas picture = s.Render();
    kit.Stamp(picture, "hat-star", 14, 11);
    Glint(picture, 6, 9, 1, kit.Colour("crystal", 5), kit.Colour("crystal", 3));
    Glint(picture, 26, 12, 1, kit.Colour("gold", 5), kit.Colour("gold", 3));
    picture.Set(9, 4, kit.Colour("crystal", 4));
    picture.Set(27, 6, kit.Colour("crystal", 4));
    return picture;
}
