#pragma once
// A Graphics with no renderer, recording every frame as --no-render runs do; tests read the draws back.
#include "core/Settings.h"
#include "graphics/Graphics.h"
#include "graphics/Texture.h"
#include "platform/images/DecodedImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

class RecordedFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunSettings settings;
        settings.render = false;
        SetSettings(settings);
        ASSERT_TRUE(graphics.CreateDevice());
        ASSERT_FALSE(graphics.HasRenderer());
        graphics.BeginFrame();
    }

    const RecordedDraw& Draw(size_t index) const { return graphics.Recording().Draws().at(index); }
    const RecordedDraw& LastDraw() const { return graphics.Recording().Draws().back(); }
    size_t DrawCount() const { return graphics.Recording().Draws().size(); }
    std::span<const RecordedVertex> VerticesOf(const RecordedDraw& draw) const
    {
        return graphics.Recording().VerticesOf(draw);
    }

    std::vector<const RecordedDraw*> DrawsOf(DrawKind kind) const
    {
        std::vector<const RecordedDraw*> found;
        for (const RecordedDraw& draw : graphics.Recording().Draws())
            if (draw.kind == kind) found.push_back(&draw);
        return found;
    }

    // The smallest and the largest x, y and z among a draw's corners.
    struct Span {
        RecordedVertex low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
    };
    Span SpanOf(const RecordedDraw& draw) const
    {
        Span span;
        for (const RecordedVertex& v : VerticesOf(draw)) {
            span.low = {std::min(span.low.x, v.x), std::min(span.low.y, v.y), std::min(span.low.z, v.z)};
            span.high = {std::max(span.high.x, v.x), std::max(span.high.y, v.y), std::max(span.high.z, v.z)};
        }
        return span;
    }

    // A white picture `side` pixels square, declared `declared` pixels square.
    static void LoadBlank(Texture& texture, int side, uint16_t declared)
    {
        platform::DecodedImage image;
        image.width = image.height = side;
        image.pixels.assign(static_cast<size_t>(side) * side, 0xffffffffu);
        texture.LoadFromImage(nullptr, image, declared, declared);
    }

    Graphics graphics;
};
