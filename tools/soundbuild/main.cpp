// Builds the game's sound effects and music from their readable sources:
//   velmoor_soundbuild <source folder> <output folder>
// reads <source>/effects.sfx (synthesis recipes, one WAV file each) and <source>/run.score
// (the music) and writes the WAV files and run.mid into the output folder.
#include "EffectSynth.h"
#include "MidiWriter.h"
#include "Score.h"
#include "SoundRecipe.h"
#include "SourceText.h"
#include "WaveWriter.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw SourceError(path + ": cannot write");
}

void BuildEffects(const std::string& sourceFolder, const std::string& outputFolder)
{
    const std::string path = sourceFolder + "/effects.sfx";
    SourceText source(path, ReadTextFile(path));
    for (const SoundRecipe& recipe : ParseRecipes(source)) {
        WriteFile(outputFolder + "/" + recipe.file, WriteWave(RenderSound(recipe), static_cast<uint32_t>(recipe.rate)));
    }
}

void BuildMusic(const std::string& sourceFolder, const std::string& outputFolder)
{
    const std::string path = sourceFolder + "/run.score";
    SourceText source(path, ReadTextFile(path));
    const Song song = ParseScore(source);
    WriteFile(outputFolder + "/run.mid", WriteMidi(song));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <source folder> <output folder>\n", argv[0]);
        return 2;
    }
    try {
        BuildEffects(argv[1], argv[2]);
        BuildMusic(argv[1], argv[2]);
    } catch (const SourceError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
