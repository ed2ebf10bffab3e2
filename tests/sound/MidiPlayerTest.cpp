#include "core/ErrorReport.h"
#include "core/VirtualKeys.h"
#include "sound/MidiPlayer.h"
#include "sound/MusicOutput.h"
#include "SoundTestFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

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

class MidiPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = FreshTestFolder(std::string("sound/") + ::testing::UnitTest::GetInstance()->current_test_info()->name()) / "a folder with spaces";
        fs::create_directories(folder);
        WriteBytes(folder / "run.mid", TinyMidi);
        ResetErrorReportForTests();
        SetFatalErrorNotice(nullptr);
    }
    void TearDown() override { ResetErrorReportForTests(); }

    std::string MusicPath() const { return (folder / "run.mid").string(); }

    fs::path folder;
    FakeMusic music;
};

TEST_F(MidiPlayerTest, EveryPlayOpensTheFileAnewAndStartsAtTheBeginning)
{
    MidiPlayer player(&music);
    player.Open(MusicPath().c_str());
    EXPECT_FALSE(player.Playing());
    EXPECT_EQ(music.calls, "") << "opening only finds the file";

    player.Play();
    EXPECT_TRUE(player.Playing());
    EXPECT_EQ(music.calls, "open rewind start ");
    EXPECT_EQ(music.song, TinyMidi);

    music.calls.clear();
    player.Play();   // while playing: closed, reopened, from the start
    EXPECT_EQ(music.calls, "stop close open rewind start ");
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(MidiPlayerTest, TheEndOfThePieceStartsItOverOnlyWhilePlayingAndClosingTheWindowStopsIt)
{
    MidiPlayer player(&music);
    player.Open(MusicPath().c_str());
    player.Play();
    music.calls.clear();

    player.OnMessage(wm::MusicNotify, wm::NotifySuccessful, 0);
    EXPECT_EQ(music.calls, "") << "a notice while the music still runs changes nothing";

    music.finished = true;
    player.OnMessage(wm::MusicNotify, 4, 0);   // not a successful end
    EXPECT_EQ(music.calls, "");
    player.OnMessage(wm::MusicNotify, wm::NotifySuccessful, 0);
    EXPECT_EQ(music.calls, "rewind start ");

    music.calls.clear();
    player.Stop();
    EXPECT_EQ(music.calls, "stop close ");
    EXPECT_FALSE(player.Playing());
    music.calls.clear();
    player.OnMessage(wm::MusicNotify, wm::NotifySuccessful, 0);   // arrived after the stop
    player.Stop();
    player.OnMessage(wm::Destroy, 0, 0);
    EXPECT_EQ(music.calls, "") << "a stopped player sends nothing";

    player.Play();
    music.calls.clear();
    player.OnMessage(wm::Destroy, 0, 0);   // the window closes
    EXPECT_EQ(music.calls, "stop close ");
    EXPECT_FALSE(player.Playing());
}

TEST_F(MidiPlayerTest, AMissingOrUnplayableFileIsFatalAndSaysWhatFailed)
{
    // Cut short: the header is whole, the track it announces is not.
    WriteBytes(folder / "cut.mid", std::vector<uint8_t>(TinyMidi.begin(), TinyMidi.begin() + 20));
    FakeMusic refusing;
    refusing.accept = false;
    const struct { std::string file; MusicOutput* output; const char* said; } cases[] = {
        {(folder / "gone.mid").string(), &music, "No such file"}, {(folder / "cut.mid").string(), &music, "MIDI"},
        {MusicPath(), &refusing, ""}, {"surely-not-here.mid", nullptr, "surely-not-here.mid"}};
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
