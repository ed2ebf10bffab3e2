#include "Score.h"

#include <algorithm>
#include <map>

namespace {

// A phrase or groove: notes relative to its own start, and its length in ticks.
struct Phrase {
    std::vector<ScoreNote> notes;
    uint32_t length = 0;
};

struct NoteToken {
    std::vector<int> keys;     // empty for a rest
    uint32_t length  = 0;      // ticks
    bool     accent  = false;  // '>' after the note
    bool     tied    = false;  // '~': the next note of the same pitch continues this one
};

const std::map<std::string, int>& DrumKeys()
{
    static const std::map<std::string, int> keys = {
        {"kick", 36}, {"rim", 37}, {"snare", 38}, {"clap", 39}, {"lowtom", 45}, {"midtom", 47},
        {"hightom", 50}, {"hat", 42}, {"pedalhat", 44}, {"openhat", 46}, {"crash", 49},
        {"ride", 51}, {"tambourine", 54}, {"cowbell", 56}, {"shaker", 70}};
    return keys;
}

constexpr int AccentBoost = 18;

class ScoreParser {
public:
    explicit ScoreParser(SourceText& text) : source(text) {}

    Song Parse()
    {
        while (!source.AtEnd()) Statement(source.Take());
        Finish();
        return std::move(song);
    }

private:
    void Statement(const SourceLine& line)
    {
        const std::string& key = line.words[0];
        if (key == "title") song.title = Rest(line, 1);
        else if (key == "tempo") song.tempo = source.Integer(line, Word(line, 1), 20, 300);
        else if (key == "division") song.division = source.Integer(line, Word(line, 1), 24, 960);
        else if (key == "meter") Meter(line);
        else if (key == "phrase") Define(line, ReadPhrase(line));
        else if (key == "groove") Define(line, ReadGroove(line));
        else if (key == "track") song.tracks.push_back(ReadTrack(line));
        else source.Fail(line, "unknown statement '" + key + "'");
    }

    const std::string& Word(const SourceLine& line, size_t index)
    {
        if (index >= line.words.size()) source.Fail(line, "'" + line.words[0] + "' needs a value");
        return line.words[index];
    }

    static std::string Rest(const SourceLine& line, size_t from)
    {
        std::string text;
        for (size_t i = from; i < line.words.size(); ++i) text += (text.empty() ? "" : " ") + line.words[i];
        return text;
    }

    void Meter(const SourceLine& line)
    {
        const std::string& word = Word(line, 1);
        const size_t slash = word.find('/');
        if (slash == std::string::npos) source.Fail(line, "meter is written like 4/4");
        song.meterTop = source.Integer(line, word.substr(0, slash), 1, 16);
        song.meterBottom = source.Integer(line, word.substr(slash + 1), 1, 16);
        if (song.meterBottom != 2 && song.meterBottom != 4 && song.meterBottom != 8) source.Fail(line, "meter must count halves, quarters or eighths");
    }

    void Define(const SourceLine& line, Phrase phrase)
    {
        const std::string& name = Word(line, 1);
        if (phrases.count(name)) source.Fail(line, "'" + name + "' is defined twice");
        phrases[name] = std::move(phrase);
    }

    // --- phrases: notes bar by bar -------------------------------------------------------

    Phrase ReadPhrase(const SourceLine& opening)
    {
        Word(opening, 1);
        Phrase phrase;
        uint32_t noteLength = static_cast<uint32_t>(song.division);
        int velocity = 96;
        uint32_t barStart = 0;
        std::map<int, size_t> openTies;   // key -> index of the note a '~' left open
        while (true) {
            if (source.AtEnd()) source.Fail(opening, "phrase has no 'end'");
            const SourceLine& line = source.Take();
            if (line.words[0] == "end") break;
            for (const std::string& word : line.words) {
                if (word == "|") {
                    CheckBar(line, phrase.length - barStart);
                    barStart = phrase.length;
                } else if (word[0] == 'v') {
                    velocity = source.Integer(line, word.substr(1), 1, 127);
                } else {
                    const NoteToken token = ReadNote(line, word, noteLength);
                    noteLength = token.length;
                    AddNote(phrase, token, velocity, openTies);
                }
            }
            // A line holds whole bars: its end is a bar line too.
            if (phrase.length != barStart) CheckBar(line, phrase.length - barStart);
            barStart = phrase.length;
        }
        if (phrase.length == 0) source.Fail(opening, "empty phrase");
        return phrase;
    }

    void CheckBar(const SourceLine& line, uint32_t ticks)
    {
        if (ticks == song.BarTicks()) return;
        source.Fail(line, "a bar holds " + std::to_string(ticks) + " ticks instead of " + std::to_string(song.BarTicks()));
    }

    NoteToken ReadNote(const SourceLine& line, std::string word, uint32_t previousLength)
    {
        NoteToken token;
        token.length = previousLength;
        while (!word.empty() && (word.back() == '~' || word.back() == '>')) {
            (word.back() == '~' ? token.tied : token.accent) = true;
            word.pop_back();
        }
        const size_t slash = word.find('/');
        if (slash != std::string::npos) {
            token.length = ReadLength(line, word.substr(slash + 1));
            word.erase(slash);
        }
        if (word == "r") return token;
        size_t from = 0;
        while (true) {
            const size_t plus = word.find('+', from);
            const int key = ParsePitch(word.substr(from, plus - from));
            if (key < 0) source.Fail(line, "not a note: '" + word.substr(from, plus - from) + "'");
            token.keys.push_back(key);
            if (plus == std::string::npos) break;
            from = plus + 1;
        }
        return token;
    }

    // "4" a quarter, "8." a dotted eighth, "8t" an eighth of a triplet.
    uint32_t ReadLength(const SourceLine& line, std::string word)
    {
        const bool dotted = !word.empty() && word.back() == '.';
        const bool triplet = !word.empty() && word.back() == 't';
        if (dotted || triplet) word.pop_back();
        const int denominator = source.Integer(line, word, 1, 32);
        if ((denominator & (denominator - 1)) != 0) source.Fail(line, "note lengths are 1, 2, 4, 8, 16 or 32");
        uint32_t ticks = static_cast<uint32_t>(song.division * 4 / denominator);
        if (dotted) ticks += ticks / 2;
        if (triplet) ticks = ticks * 2 / 3;
        if (ticks == 0) source.Fail(line, "note too short for the division");
        return ticks;
    }

    static void AddNote(Phrase& phrase, const NoteToken& token, int velocity, std::map<int, size_t>& openTies)
    {
        std::map<int, size_t> stillOpen;
        for (const int key : token.keys) {
            const auto tie = openTies.find(key);
            size_t index = 0;
            if (tie != openTies.end()) {
                index = tie->second;
                phrase.notes[index].length += token.length;
            } else {
                const int level = std::min(127, velocity + (token.accent ? AccentBoost : 0));
                phrase.notes.push_back({phrase.length, token.length, static_cast<uint8_t>(key), static_cast<uint8_t>(level)});
                index = phrase.notes.size() - 1;
            }
            if (token.tied) stillOpen[key] = index;
        }
        openTies = std::move(stillOpen);
        phrase.length += token.length;
    }

    // --- grooves: drum hits on a grid of sixteenths --------------------------------------

    Phrase ReadGroove(const SourceLine& opening)
    {
        Word(opening, 1);
        Phrase groove;
        const uint32_t step = static_cast<uint32_t>(song.division / 4);
        const uint32_t stepsPerBar = song.BarTicks() / step;
        bool first = true;
        while (true) {
            if (source.AtEnd()) source.Fail(opening, "groove has no 'end'");
            const SourceLine& line = source.Take();
            if (line.words[0] == "end") break;
            const auto drum = DrumKeys().find(line.words[0]);
            if (drum == DrumKeys().end()) source.Fail(line, "unknown drum '" + line.words[0] + "'");
            const std::string pattern = GroovePattern(line, stepsPerBar);
            const uint32_t length = static_cast<uint32_t>(pattern.size()) * step;
            if (!first && length != groove.length) source.Fail(line, "every drum of a groove needs the same number of bars");
            groove.length = length;
            first = false;
            for (size_t i = 0; i < pattern.size(); ++i) AddHit(groove, drum->second, pattern[i], static_cast<uint32_t>(i) * step, step, line);
        }
        if (groove.length == 0) source.Fail(opening, "empty groove");
        std::stable_sort(groove.notes.begin(), groove.notes.end(), [](const ScoreNote& a, const ScoreNote& b) { return a.tick < b.tick; });
        return groove;
    }

    std::string GroovePattern(const SourceLine& line, uint32_t stepsPerBar)
    {
        std::string pattern;
        std::string bar;
        auto closeBar = [&]() {
            if (bar.size() != stepsPerBar) source.Fail(line, "a groove bar has " + std::to_string(bar.size()) + " steps instead of " + std::to_string(stepsPerBar));
            pattern += bar;
            bar.clear();
        };
        for (size_t w = 1; w < line.words.size(); ++w) {
            for (const char c : line.words[w]) {
                if (c == '|') closeBar();
                else bar += c;
            }
        }
        if (!bar.empty() || pattern.empty()) closeBar();
        return pattern;
    }

    void AddHit(Phrase& groove, int key, char mark, uint32_t tick, uint32_t step, const SourceLine& line)
    {
        int velocity = 0;
        switch (mark) {
        case '.': return;
        case 'X': velocity = 118; break;
        case 'x': velocity = 92; break;
        case 'o': velocity = 50; break;
        default: source.Fail(line, std::string("a groove step is one of . o x X, not '") + mark + "'");
        }
        groove.notes.push_back({tick, step, static_cast<uint8_t>(key), static_cast<uint8_t>(velocity)});
    }

    // --- tracks ----------------------------------------------------------------------------

    ScoreTrack ReadTrack(const SourceLine& opening)
    {
        ScoreTrack track;
        track.name = Rest(opening, 1);
        while (true) {
            if (source.AtEnd()) source.Fail(opening, "track has no 'end'");
            const SourceLine& line = source.Take();
            const std::string& key = line.words[0];
            if (key == "end") break;
            if (key == "play") {
                Play(track, line);
                continue;
            }
            const std::string& value = Word(line, 1);
            if (key == "channel") track.channel = static_cast<uint8_t>(source.Integer(line, value, 1, 16) - 1);
            else if (key == "program") track.program = static_cast<uint8_t>(source.Integer(line, value, 1, 128) - 1);
            else if (key == "volume") track.volume = static_cast<uint8_t>(source.Integer(line, value, 0, 127));
            else if (key == "pan") track.pan = static_cast<uint8_t>(source.Integer(line, value, 0, 127));
            else if (key == "reverb") track.reverb = static_cast<uint8_t>(source.Integer(line, value, 0, 127));
            else if (key == "chorus") track.chorus = static_cast<uint8_t>(source.Integer(line, value, 0, 127));
            else if (key == "gate") track.gate = source.Number(line, value);
            else source.Fail(line, "unknown track setting '" + key + "'");
        }
        if (track.gate <= 0.0 || track.gate > 1.0) source.Fail(opening, "gate must be in (0, 1]");
        if (track.length == 0) source.Fail(opening, "track plays nothing");
        return track;
    }

    // "play a b*2": phrases one after another, a count repeats one.
    void Play(ScoreTrack& track, const SourceLine& line)
    {
        for (size_t i = 1; i < line.words.size(); ++i) {
            std::string name = line.words[i];
            int count = 1;
            const size_t star = name.find('*');
            if (star != std::string::npos) {
                count = source.Integer(line, name.substr(star + 1), 1, 64);
                name.erase(star);
            }
            const auto found = phrases.find(name);
            if (found == phrases.end()) source.Fail(line, "no phrase or groove called '" + name + "'");
            for (int n = 0; n < count; ++n) Append(track, found->second);
        }
    }

    static void Append(ScoreTrack& track, const Phrase& phrase)
    {
        for (ScoreNote note : phrase.notes) {
            note.tick += track.length;
            track.notes.push_back(note);
        }
        track.length += phrase.length;
    }

    void Finish()
    {
        if (song.tracks.empty()) throw SourceError(source.Name() + ": the score has no tracks");
        song.length = song.tracks.front().length;
        for (const ScoreTrack& track : song.tracks) {
            if (track.length != song.length) {
                throw SourceError(source.Name() + ": track '" + track.name + "' lasts " + std::to_string(track.length) +
                                  " ticks, '" + song.tracks.front().name + "' " + std::to_string(song.length));
            }
        }
        if (song.length % song.BarTicks() != 0) throw SourceError(source.Name() + ": the piece does not end on a bar line");
    }

    SourceText& source;
    Song song;
    std::map<std::string, Phrase> phrases;
};

}  // namespace

int ParsePitch(const std::string& name)
{
    static const int steps[7] = {9, 11, 0, 2, 4, 5, 7};   // a b c d e f g
    if (name.size() < 2 || name[0] < 'a' || name[0] > 'g') return -1;
    int key = steps[name[0] - 'a'];
    size_t at = 1;
    if (name[at] == '#') { ++key; ++at; }
    else if (name[at] == 'b' && at + 1 < name.size()) { --key; ++at; }
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '9') return -1;
    key += (name[at] - '0' + 1) * 12;
    return key >= 0 && key <= 127 ? key : -1;
}

Song ParseScore(SourceText& source) { return ScoreParser(source).Parse(); }
