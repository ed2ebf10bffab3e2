#include "MidiReading.h"

#include <string>

ReadSong ReadMidi(const std::vector<uint8_t>& b)
{
    ReadSong song;
    size_t at = 0;
    bool past = false;   // a read ran off the end of the file
    const auto big = [&](int count) {
        uint32_t v = 0;
        for (; count > 0; --count) past |= at >= b.size(), v = (v << 8) | (at < b.size() ? b[at++] : 0);
        return v;
    };
    const auto variable = [&] {
        uint32_t v = 0, byte = 0x80;
        for (int i = 0; i < 4 && (byte & 0x80); ++i) byte = big(1), v = (v << 7) | (byte & 0x7f);
        return v;
    };
    const auto tag = [&] { std::string t(4, ' '); for (char& c : t) c = static_cast<char>(big(1)); return t; };

    if (tag() != "MThd" || big(4) != 6) return song;
    song.format = static_cast<int>(big(2));
    const uint32_t trackCount = big(2);
    song.division = static_cast<int>(big(2));
    for (uint32_t t = 0; t < trackCount; ++t) {
        if (tag() != "MTrk") return song;
        const size_t end = big(4) + at;
        MidiTrack track;
        bool ended = false;
        for (uint32_t tick = 0; at < end && !ended && !past;) {
            tick += variable();
            const uint8_t status = static_cast<uint8_t>(big(1));
            if (status == 0xff) {
                ended = big(1) == 0x2f;
                at += variable();
                track.endTick = tick;
                continue;
            }
            if (!(status & 0x80)) return song;
            const uint8_t data1 = static_cast<uint8_t>(big(1));
            const uint8_t data2 = (status & 0xe0) == 0xc0 ? 0 : static_cast<uint8_t>(big(1));
            track.events.push_back({tick, status, data1, data2});
        }
        if (!ended || at != end || past) return song;
        song.tracks.push_back(track);
    }
    song.ok = at == b.size();
    return song;
}
