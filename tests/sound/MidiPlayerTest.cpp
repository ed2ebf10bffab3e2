#include "core/VirtualKeys.h"
#include "sound/MidiPlayer.h"
#include "sound/MusicOutput.h"
#include "SoundTestFiles.h"

#include <functional>

namespace {

namespace fs = std::filesystem;

// Records what the player asks of the synthesizer.
class FakeMusic final : public MusicOutput {
public:
    bool Open(std::vector<uint8_t> newSong) override { calls += "open "; song = std::move(newSong); return accept; }
    void Rewind() override { calls += "rewind "; }
    void Start() override { calls += "start "; }
    void Stop() override { calls += "stop "; }
    void Close() override { calls += "close "; }
    bool Finished() const override { return finished; }

    std::string calls;
    std::vector<uint8_t> song;
    bool finished = false;
    bool accept = true;
};

// A whole standard MIDI file: the header and one track that only ends.
const std::vector<uint8_t> TinyMidi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                                       'M', 'T', 'r', 'k', 0, 0, 0, 4, 0x00, 0xff, 0x2f, 0x00};

class MidiPlayerTest : public SoundFolderTest {
protected:
    void SetUp() override
    {
        SoundFolderTest::SetUp();
        fs::create_directories("a folder with spaces");
        WriteBytes("a folder with spaces/run.mid", TinyMidi);
    }

    std::string MusicPath() const { return (folder / "a folder with spaces" / "run.mid").string(); }

    FakeMusic music;
};

// Every play opens the file anew and starts at its beginning; the end of the piece starts it
// over, but only a successful end while it plays; closing the window stops it.
TEST_F(MidiPlayerTest, ThePieceStartsAtTheTopOnEveryPlayAndAtItsEndUntilStopped)
{
    MidiPlayer player(&music);
    const auto notify = [&](uint32_t how) { player.OnMessage(wm::MusicNotify, how, 0); };
    const struct { std::function<void()> act; const char* calls; bool playing; } steps[] = {
        {[&] { player.Open(MusicPath().c_str()); }, "", false},   // opening only finds the file
        {[&] { player.Play(); }, "open rewind start ", true},
        {[&] { player.Play(); }, "stop close open rewind start ", true},
        {[&] { notify(wm::NotifySuccessful); }, "", true},        // the music still runs
        {[&] { music.finished = true; }, "", true},
        {[&] { notify(4); }, "", true},                           // not a successful end
        {[&] { notify(wm::NotifySuccessful); }, "rewind start ", true},
        {[&] { player.Stop(); }, "stop close ", false},
        {[&] { notify(wm::NotifySuccessful); }, "", false},       // arrived after the stop
        {[&] { player.Stop(); }, "", false},
        {[&] { player.OnMessage(wm::Destroy, 0, 0); }, "", false},
        {[&] { player.Play(); }, "open rewind start ", true},
        {[&] { player.OnMessage(wm::Destroy, 0, 0); }, "stop close ", false},   // the window closes
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        music.calls.clear();
        steps[i].act();
        EXPECT_EQ(music.calls, steps[i].calls) << "step " << i;
        EXPECT_EQ(player.Playing(), steps[i].playing) << "step " << i;
    }
    EXPECT_EQ(music.song, TinyMidi);
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(MidiPlayerTest, AMissingOrUnplayableFileIsFatalAndSaysWhatFailed)
{
    FakeMusic refusing;
    refusing.accept = false;
    const struct { std::string file; MusicOutput* output; const char* said; } cases[] = {
        {(folder / "gone.mid").string(), &music, "No such file"}, {MusicPath(), &refusing, ""},
        {"surely-not-here.mid", nullptr, "surely-not-here.mid"}};
    for (const auto& c : cases) {
        ResetErrorReportForTests();
        MidiPlayer player(c.output);
        player.Open(c.file.c_str());
        testing::internal::CaptureStderr();
        player.Play();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(FatalErrorRaised()) << c.file;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        EXPECT_TRUE(player.Playing()) << "the player still counts as playing until the run ends";
    }
    EXPECT_EQ(music.calls, "") << "nothing reaches the synthesizer";
}

}  // namespace
