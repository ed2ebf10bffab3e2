#pragma once
#include "RecordedFrame.h"
#include "core/Keyboard.h"
#include "core/Random.h"
#include "effects/EffectList.h"
#include "field/Field.h"
#include "stage/Stage.h"

#include <vector>

// A stage on a bare ruin (one floor layer, top at y = 5) with a recording-only graphics object,
// a real effect list and no sound.
struct StageWorld : RecordedFrame {
    static constexpr float BodyRest = 7.5f;   // centre of a 5-unit body on the floor

    Texture    sheet;
    Field      field{nullptr};
    EffectList effects{&graphics, nullptr};
    Stage      stage{&graphics, nullptr};
    Keyboard   keyboard;

    StageWorld()
    {
        SharedRandom().Seed(12345);
        stage.SetTexture(0, &sheet);
        player().position = {100.0f, BodyRest, 100.0f};
        player().time = 100.0f;
    }

    Player& player() { return *stage.GetPlayer(); }

    void Raise(int row, int col, int top)
    {
        for (int layer = 1; layer <= top; ++layer) field.SetCell(row, layer, col, CellBlock);
    }

    WorldObject* Spawn(int8_t kind, Vec3 at)
    {
        WorldObject* object = stage.CreateObject(kind);
        object->position = at;
        return object;
    }

    bool Update()
    {
        graphics.BeginFrame();
        return stage.UpdateObjects(&field, &effects);
    }

    std::vector<int8_t> Kinds() const
    {
        std::vector<int8_t> kinds;
        for (const WorldObject* o = stage.First(); o != nullptr; o = o->next) kinds.push_back(o->kind);
        return kinds;
    }

};

using KindList = std::vector<int8_t>;
