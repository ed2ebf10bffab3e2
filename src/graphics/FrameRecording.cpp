#include "graphics/FrameRecording.h"

#include <algorithm>

void FrameRecording::Clear()
{
    draws.clear();
    vertices.clear();
}

RecordedVertex* FrameRecording::Append(const RecordedDraw& draw, uint32_t vertexCount)
{
    RecordedDraw placed = draw;
    placed.firstVertex = static_cast<uint32_t>(vertices.size());
    placed.vertexCount = vertexCount;
    draws.push_back(placed);
    vertices.resize(vertices.size() + vertexCount);
    return vertices.data() + placed.firstVertex;
}

std::span<const RecordedVertex> FrameRecording::VerticesOf(const RecordedDraw& draw) const
{
    return std::span<const RecordedVertex>(vertices).subspan(draw.firstVertex, draw.vertexCount);
}

namespace {

bool Fits(const DrawBatch& batch, const RecordedDraw& draw)
{
    if (!(batch.state == draw.state)) return false;
    return draw.textureGroup == 0 || batch.textureGroup == 0 || draw.textureGroup == batch.textureGroup;
}

DrawBatch StartBatch(const RecordedDraw& draw, uint32_t index)
{
    DrawBatch batch;
    batch.state = draw.state;
    batch.firstDraw = index;
    batch.firstVertex = draw.firstVertex;
    return batch;
}

}  // namespace

std::vector<DrawBatch> BatchFrame(const FrameRecording& recording)
{
    std::vector<DrawBatch> batches;
    const std::vector<RecordedDraw>& draws = recording.Draws();
    for (uint32_t index = 0; index < draws.size(); ++index) {
        const RecordedDraw& draw = draws[index];
        if (draw.vertexCount == 0) continue;
        if (batches.empty() || !Fits(batches.back(), draw)) batches.push_back(StartBatch(draw, index));
        DrawBatch& batch = batches.back();
        if (batch.textureGroup == 0) batch.textureGroup = draw.textureGroup;
        batch.drawCount = index + 1 - batch.firstDraw;
        batch.vertexCount += draw.vertexCount;
    }
    return batches;
}
