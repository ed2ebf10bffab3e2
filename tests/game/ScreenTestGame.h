#pragma once
#include "core/ErrorReport.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/VirtualKeys.h"
#include "effects/EffectList.h"
#include "game/Game.h"
#include "graphics/Graphics.h"
#include "stage/Stage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A whole game without renderer or sound, driven a frame at a time with key messages that
// arrive between frames as the main loop delivers them.
class ScreenTestGame : public testing::Test {
protected:
    void SetUp() override
    {
        UseLogicOnlySettings();
        SharedRandom().Seed(20240611);
        ASSERT_TRUE(game.Init());
    }
    void TearDown() override { ResetErrorReportForTests(); }

    void Frames(int count) { for (int i = 0; i < count; ++i) game.Frame(); }
    void Press(uint8_t key) { game.OnMessage(wm::KeyDown, key, 0); }
    void Release(uint8_t key) { game.OnMessage(wm::KeyUp, key, 0); }
    void Tap(uint8_t key)   // down for exactly one frame
    {
        Press(key);
        game.Frame();
        Release(key);
    }
    template <typename Done> int FramesUntil(Done done, int limit = 1000)
    {
        for (int frames = 1; frames <= limit; ++frames) {
            game.Frame();
            if (done()) return frames;
        }
        return -1;
    }

    // The text drawn last frame in `colour`, glyphs only (blanks and line feeds draw nothing).
    // The screens write in bold Courier 32; without a Courier-metric face on the system
    // (fonts-urw-base35) nothing is drawn and every text check fails, saying why.
    testing::AssertionResult TextIs(uint32_t colour, const std::string& expected) const
    {
        const FrameRecording& recording = game.GetGraphics()->Recording();
        std::string drawn;
        for (const RecordedDraw& draw : recording.Draws()) {
            if (draw.kind == DrawKind::Text && recording.VerticesOf(draw)[0].colour == colour) {
                drawn += static_cast<char>(draw.detail);
            }
        }
        if (drawn == expected) return testing::AssertionSuccess();
        const bool faceFound = game.GetGraphics()->FindGlyphAtlas("Courier", 32, 700) != nullptr;
        return testing::AssertionFailure() << "drawn \"" << drawn << "\""
                                           << (faceFound ? "" : ": no Courier-metric face on this system (fonts-urw-base35)");
    }

    std::vector<int8_t> ObjectKinds() const
    {
        std::vector<int8_t> kinds;
        for (const WorldObject* o = game.GetStage()->First(); o != nullptr; o = o->next) kinds.push_back(o->kind);
        return kinds;
    }
    Player& ThePlayer() const { return *game.GetStage()->GetPlayer(); }

    Game game;
};
