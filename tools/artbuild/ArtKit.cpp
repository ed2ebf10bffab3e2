#include "ArtKit.h"

#include "TextSource.h"

namespace {

bool ReadSource(const std::string& folder, const std::string& name, std::string& text, std::string& error)
{
    if (ReadWholeFile(folder + "/" + name, text)) return true;
    error = "cannot read " + folder + "/" + name;
    return false;
}

}  // namespace

bool ArtKit::Load(const std::string& sourceFolder, std::string& error)
{
    std::string text;
    if (!ReadSource(sourceFolder, "palette.txt", text, error)) return false;
    if (!palette.Parse(text, error)) return false;
    if (!ReadSource(sourceFolder, "lettering.txt", text, error)) return false;
    if (!lettering.Parse(text, error)) {
        error = "lettering.txt " + error;
        return false;
    }
    if (!ReadSource(sourceFolder, "details.txt", text, error)) return false;
    if (!details.Parse(text, error)) {
        error = "details.txt " + error;
        return false;
    }
    return true;
}

Look ArtKit::Material(std::string_view ramp) const
{
    Look look;
    look.ramp = &palette.Get(ramp);
    return look;
}

Look ArtKit::Plain(std::string_view ramp, float bias, float roundness) const
{
    Look look = Material(ramp);
    look.bias = bias;
    look.roundness = roundness;
    return look;
}

Sculpture ArtKit::NewSculpture(int width, int height) const
{
    return Sculpture(width, height, palette.Step("outline", 0));
}

void ArtKit::Stamp(Canvas& canvas, std::string_view detail, int x, int y) const
{
    canvas.Composite(details.Paint(detail, palette), x, y);
}
