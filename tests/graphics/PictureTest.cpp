// Pictures drawn for real (headless: SDL's offscreen driver with Mesa's llvmpipe), written as PNG
// files under the test output folder, and checked for what must hold: colours and coverage.
#include "core/Random.h"
#include "core/Settings.h"
#include "field/Field.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Texture.h"
#include "platform/images/DecodedImage.h"
#include "platform/gl/GlRenderer.h"
#include "platform/system/Window.h"

#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

namespace {

// Whether two pixels differ by at most `tolerance` in every colour channel.
bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift <= 16; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 255u) - static_cast<int>((b >> shift) & 255u)) > tolerance) return false;
    return true;
}

class Picture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RunSettings settings;
        settings.headless = true;
        settings.render = true;
        SetSettings(settings);
        std::string error;
        ASSERT_TRUE(platform::InitVideo(true, error)) << error;
        ASSERT_TRUE(platform::CreateMainWindow("Velmoor", false, true, true, 640, 480, error)) << error;
        graphics = new Graphics();
        ASSERT_TRUE(graphics->CreateDevice());
        ASSERT_TRUE(graphics->HasRenderer());
        // The fixed states the game sets once at start-up.
        graphics->SetRenderState(RenderState::DepthTest, 1);
        graphics->SetRenderState(RenderState::Lighting, 0);
        graphics->SetTextureStageState(0, TextureStageState::AlphaOperation, TextureOperationModulate);
        graphics->SetTextureStageState(0, TextureStageState::AlphaArgument2, TextureArgumentDiffuse);
    }

    // The window and video stay up until the process ends: closing them unloads Mesa's driver,
    // and the leak checker of sanitizer runs could then no longer name the records it keeps.
    static void TearDownTestSuite() { delete graphics; }

    void SetUp() override
    {
        ASSERT_NE(graphics, nullptr);
        graphics->BeginFrame();
    }

    // Ends the frame, saving it, and hands back the picture that was drawn.
    static platform::DecodedImage Finish(const char* name)
    {
        const std::filesystem::path folder(VELMOOR_TEST_OUTPUT_DIR);
        std::filesystem::create_directories(folder);
        const std::string file = (folder / name).string();
        graphics->RequestScreenshot(file);
        graphics->EndFrame();
        EXPECT_TRUE(graphics->LastScreenshotSaved() && std::filesystem::exists(file));
        return graphics->Renderer().lock()->ReadPicture();
    }

    // A screen rectangle showing the whole of `texture`, or untextured.
    static void Quad(float x0, float y0, float x1, float y1, float z, uint32_t colour, uint8_t blend,
                     Texture* texture = nullptr)
    {
        const ScreenVertex corners[4] = {{x0, y0, z, colour, 0, 0}, {x1, y0, z, colour, 1, 0},
                                         {x1, y1, z, colour, 1, 1}, {x0, y1, z, colour, 0, 1}};
        graphics->SetTexture(texture);
        graphics->DrawScreenQuad(corners, blend);
    }

    static Graphics* graphics;
};

Graphics* Picture::graphics = nullptr;

}  // namespace

TEST_F(Picture, QuadsCoverWholePixelsAndBlendAsAsked)
{
    graphics->SetBlendMode(BlendAlpha);    // from now on the alpha test discards alpha below 8
    graphics->SetBlendMode(BlendOpaque);
    Quad(10, 10, 20, 20, 0.5f, 0xffff0000, BlendOpaque);
    Quad(15, 10, 25, 20, 0.4f, 0x8000ff00, BlendAlpha);       // half green over red and black
    Quad(30, 10, 40, 20, 0.5f, 0xffff0000, BlendOpaque);
    Quad(30, 10, 40, 20, 0.5f, 0xff0000ff, BlendAdditive);     // red plus blue
    Quad(50, 10, 60, 20, 0.5f, 0xffffffff, BlendOpaque);
    Quad(50, 10, 60, 20, 0.7f, 0xff00ff00, BlendOpaque);       // behind: hidden by depth
    Quad(70, 10, 80, 20, 0.5f, 0x04ffffff, BlendOpaque);       // alpha 4 after translucent draws
    Quad(90, 10, 100, 20, 0.5f, 0x08ffffff, BlendOpaque);      // alpha 8 passes the test
    const platform::DecodedImage picture = Finish("quads.png");

    // Quads cover pixels from their first edge up to, not including, the last.
    const std::tuple<int, int, uint32_t> exact[] = {{10, 10, 0xffff0000u}, {14, 19, 0xffff0000u}, {14, 20, 0xff000000u},
        {9, 10, 0xff000000u}, {10, 20, 0xff000000u}, {35, 15, 0xffff00ffu}, {55, 15, 0xffffffffu},
        {75, 15, 0xff000000u}, {95, 15, 0xffffffffu}};
    for (const auto& [x, y, colour] : exact) EXPECT_EQ(picture.At(x, y), colour) << x << "," << y;
    EXPECT_TRUE(Near(picture.At(17, 15), 0xff7f8000u, 2));
    EXPECT_TRUE(Near(picture.At(22, 15), 0xff008000u, 2));
}

TEST_F(Picture, EveryPictureOfADrawCallShowsItsOwnColours)
{
    // Twelve pictures of one size: more than the first array holds, so it grows on the way.
    std::vector<std::unique_ptr<Texture>> textures;
    const auto colour = [](uint32_t i) { return 0xff000000u | (i * 20u) << 16 | (255u - i * 20u); };
    for (uint32_t i = 0; i < 12; ++i) {
        platform::DecodedImage image{4, 4, std::vector<uint32_t>(16, colour(i))};
        image.pixels[15] = 0x00ffffffu;   // one clear corner texel
        textures.push_back(std::make_unique<Texture>());
        ASSERT_TRUE(textures.back()->LoadFromImage(graphics, image, 4, 4));
    }
    graphics->SetTextureFilter(false);
    for (int i = 0; i < 12; ++i) {
        const float x = 20.0f + 40.0f * i;
        Quad(x, 100, x + 32, 132, 0.5f, 0xffffffff, BlendAlpha, textures[i].get());
    }
    graphics->SetTexture(nullptr);
    const platform::DecodedImage picture = Finish("pictures.png");
    EXPECT_EQ(graphics->LastFrameDrawCalls(), 1);
    for (uint32_t i = 0; i < 12; ++i) {
        const int x = 20 + 40 * static_cast<int>(i);
        EXPECT_EQ(picture.At(x + 4, 104), colour(i)) << i;
        EXPECT_EQ(picture.At(x + 28, 128), 0xff000000u) << i;   // the clear texel shows the black behind
    }
}

// The sky alone, then a ruin before it: the ground and the blocks fill most of the lower half.
TEST_F(Picture, GeneratedRuinStandsBeforeTheSky)
{
    Field field(graphics);
    field.Draw(false);
    const platform::DecodedImage sky = Finish("sky.png");
    ASSERT_TRUE(sky.width == 640 && sky.height == 480);
    for (int x = 0; x < 640; x += 7) {
        EXPECT_EQ(sky.At(x, 0), 0xff78beffu) << x;
        EXPECT_EQ(sky.At(x, 479), 0xffe6f0fau) << x;
    }

    SharedRandom().Seed(7);
    field.GenerateTitle();
    graphics->SetCameraMode(0);
    graphics->SetEye({105, 12, 70});
    graphics->SetLookAt({95, 5, 105});
    graphics->BeginFrame();   // the camera applies from the frame after it is set
    graphics->SetTextureFilter(true);
    field.Draw(true);
    const platform::DecodedImage ruin = Finish("ruin.png");
    int lowerRuin = 0;
    for (int y = 240; y < 480; y += 2)
        for (int x = 0; x < 640; x += 2) lowerRuin += !Near(ruin.At(x, y), sky.At(x, y), 3);
    EXPECT_GT(lowerRuin, 120 * 320 / 2);
}

// A picture of the window's own size is drawn straight into the window; one that does not fill
// it is drawn offscreen and copied. Both ways give the same pixels: here the 640x480 picture of
// a ruin in a 640x480 window, and the same ruin doubled in a 1280x1000 one, between bars 20
// pixels high (a software rasteriser holds the 3-D world to 640x480 and scales it up).
TEST_F(Picture, RuinInTheWindowIsTheRuinDrawnOffscreen)
{
    if (!graphics->Renderer().lock()->SoftwareRasterizer()) GTEST_SKIP() << "a GPU draws the larger window at its own size";
    SharedRandom().Seed(11);
    Field field(graphics);
    field.GenerateTitle();
    graphics->SetCameraMode(0);
    graphics->SetEye({42, 17, 33});
    graphics->SetLookAt({95, 5, 105});
    const auto ruinPicture = [&](const char* name) {
        graphics->BeginFrame();
        field.Draw(true);
        return Finish(name);
    };
    graphics->BeginFrame();   // the camera applies from the frame after it is set
    const platform::DecodedImage inWindow = ruinPicture("ruin-in-window.png");
    SDL_SetWindowSize(platform::MainSdlWindow(), 1280, 1000);
    const platform::DecodedImage doubled = ruinPicture("ruin-doubled.png");
    SDL_SetWindowSize(platform::MainSdlWindow(), 640, 480);
    ASSERT_TRUE(doubled.width == 1280 && doubled.height == 1000);
    int differing = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) differing += inWindow.At(x, y) != doubled.At(2 * x + 1, 20 + 2 * y + 1);
    EXPECT_EQ(differing, 0);
}

// The game's Courier-like face has no Japanese: a Japanese menu word draws with the Japanese
// gothic, each character its own shape, on the line of the Latin letters beside it.
TEST_F(Picture, JapaneseTextDrawsWithGlyphsOfItsOwn)
{
    Font font(graphics);
    font.SetFaceName("Courier");
    font.SetParam(Font::ParamHeight, 32);
    font.SetParam(Font::ParamWeight, 700);
    ASSERT_TRUE(font.Create());
    font.Draw("再開 Go", 100, 200, 0xffffffff);
    const platform::DecodedImage picture = Finish("japanese-text.png");
    // Each character's cell: which of its pixels are lit.
    const auto cell = [&](int left) {
        std::vector<bool> lit;
        for (int y = 200; y < 232; ++y)
            for (int x = left; x < left + 28; ++x) lit.push_back((picture.At(x, y) & 0xffu) > 128);
        return lit;
    };
    const std::vector<bool> first = cell(100), second = cell(100 + 30);
    const auto litCount = [](const std::vector<bool>& lit) { return std::count(lit.begin(), lit.end(), true); };
    EXPECT_GT(litCount(first), 80) << "再 draws as nothing";
    EXPECT_GT(litCount(second), 80) << "開 draws as nothing";
    EXPECT_NE(first, second) << "both draw as the same box";
    int latinLit = 0;
    for (int y = 200; y < 232; ++y)
        for (int x = 170; x < 240; ++x) latinLit += (picture.At(x, y) & 0xffu) > 128;
    EXPECT_GT(latinLit, 60) << "the Latin letters after them are missing";
}

// In a window twice the size, text is drawn at the window's own size, even where a software
// rasteriser holds the 3-D world to 640x480: its edges fall on single pixels, not pairs.
TEST_F(Picture, TextIsDrawnAtTheOutputsSize)
{
    SDL_SetWindowSize(platform::MainSdlWindow(), 1280, 1000);
    graphics->BeginFrame();   // the picture follows the window from this frame on
    Font font(graphics);
    font.SetFaceName("Courier");
    font.SetParam(Font::ParamHeight, 20);
    font.SetParam(Font::ParamWeight, 700);
    ASSERT_TRUE(font.Create());
    font.Draw("select:Left/Right key", 100, 200, 0xffff0000);
    const platform::DecodedImage picture = Finish("text-doubled.png");
    SDL_SetWindowSize(platform::MainSdlWindow(), 640, 480);
    ASSERT_TRUE(picture.width == 1280 && picture.height == 1000);
    int lit = 0, unpaired = 0;
    for (int y = 20 + 400; y < 20 + 440; ++y) {
        for (int x = 200; x < 640; x += 2) {
            lit += picture.At(x, y) != 0xff000000u;
            unpaired += picture.At(x, y) != picture.At(x + 1, y);
        }
    }
    EXPECT_GT(lit, 200) << "no text";
    EXPECT_GT(unpaired, lit / 4) << "the text is drawn at 640x480 and doubled";
}
