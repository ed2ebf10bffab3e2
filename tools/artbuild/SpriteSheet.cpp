#include "SpriteSheet.h"

#include <cstdio>
#include <cstdlib>

#include "ArtBook.h"
#include "EdgeBleed.h"

namespace {

void AddCreatureRow(std::vector<SheetPlace>& layout, const std::string& name, int y,
                    const std::function<Canvas(const ArtKit&, int)>& draw)
{
    for (int frame = 0; frame < 3; ++frame) {
        layout.push_back({name + " " + std::to_string(frame), frame * creatureSize, y, creatureSize, creatureSize,
                          [draw, frame](const ArtKit& kit) { return draw(kit, frame); }});
    }
}

void AddMageColumn(std::vector<SheetPlace>& layout, const std::string& name, int x, int which)
{
    for (int frame = 0; frame < 3; ++frame) {
        layout.push_back({name + " " + std::to_string(frame), x, frame * creatureSize, creatureSize, creatureSize,
                          [which, frame](const ArtKit& kit) { return DrawMage(kit, which, frame); }});
    }
}

void AddItem(std::vector<SheetPlace>& layout, const std::string& name, int x, int y, Item item)
{
    layout.push_back({name, x, y, itemSize, itemSize, [item](const ArtKit& kit) { return DrawItem(kit, item); }});
}

}  // namespace

std::vector<SheetPlace> SheetLayout()
{
    std::vector<SheetPlace> layout;
    for (int kind = 1; kind <= 4; ++kind) {
        AddCreatureRow(layout, "enemy" + std::to_string(kind), (kind - 1) * creatureSize,
                       [kind](const ArtKit& kit, int frame) { return DrawEnemy(kit, kind, frame); });
    }
    AddCreatureRow(layout, "exit", 4 * creatureSize, [](const ArtKit& kit, int frame) { return DrawPortal(kit, frame); });
    AddMageColumn(layout, "mage L", 144, 0);
    AddMageColumn(layout, "mage R", 192, 1);

    AddItem(layout, "key", 160, 160, Item::Key);
    AddItem(layout, "map", 192, 160, Item::Map);
    AddItem(layout, "slow", 224, 160, Item::SlowTime);
    AddItem(layout, "time", 160, 192, Item::TimeRefill);
    AddItem(layout, "life", 192, 192, Item::LifeRefill);
    AddItem(layout, "mana", 224, 192, Item::ManaRefill);
    AddItem(layout, "cloak", 160, 224, Item::Cloak);
    AddItem(layout, "swift", 192, 224, Item::Swift);
    AddItem(layout, "free", 224, 224, Item::FreeMagic);

    layout.push_back({"shot", 240, 0, sparkSize, sparkSize, DrawMagicShot});
    for (int frame = 0; frame < 3; ++frame) {
        layout.push_back({"smoke" + std::to_string(frame), 240, 16 + frame * sparkSize, sparkSize, sparkSize,
                          [frame](const ArtKit& kit) { return DrawSmoke(kit, frame); }});
    }
    layout.push_back({"puff", 240, 64, sparkSize, sparkSize, DrawPuff});
    layout.push_back({"ring", 240, 80, sparkSize, sparkSize, DrawItemRing});

    layout.push_back({"title", 144, 144, 112, 16, DrawTitleBanner});
    layout.push_back({"clear", 0, 240, 160, 16, DrawClearBanner});
    return layout;
}

Canvas BuildSpriteSheet(const ArtKit& kit, const std::vector<SheetPlace>& layout)
{
    Canvas sheet(sheetSize, sheetSize);
    for (const SheetPlace& place : layout) {
        const Canvas picture = place.draw(kit);
        if (picture.Width() != place.width || picture.Height() != place.height) {
            std::fprintf(stderr, "artbuild: '%s' is drawn %dx%d but its place is %dx%d\n", place.label.c_str(),
                         picture.Width(), picture.Height(), place.width, place.height);
            std::exit(2);
        }
        sheet.Paste(picture, place.x, place.y);
        BleedTransparentEdges(sheet, place.x, place.y, place.width, place.height);
    }
    return sheet;
}
