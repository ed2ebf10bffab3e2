#include "MidiReading.h"

#include <map>

namespace {

class Cursor {
public:
    Cursor(const std::vector<uint8_t>& data, size_t from, size_t to) : bytes(data), at(from), end(to) {}
    bool Done() const { return at >= end; }
    bool Fits(size_t count) const { return at + count <= end; }
    uint8_t Byte() { return Fits(1) ? bytes[at++] : (broken = true, 0); }
    uint32_t Variable()
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = Byte();
            value = (value << 7) | (b & 0x7f);
            if (!(b & 0x80)) return value;
        }
        broken = true;
        return value;
    }
    void Skip(size_t count) { if (Fits(count)) at += count; else broken = true; }
    bool broken = false;
private:
    const std::vector<uint8_t>& bytes;
    size_t at, end;
};

uint32_t Big(const std::vector<uint8_t>& b, size_t at, int count)
{
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) v = (v << 8) | b[at + i];
    return v;
}

void ReadEvents(Cursor& in, ReadTrack& track, ReadSong& song)
{
    uint32_t tick = 0;
    uint8_t status = 0;
    std::map<int, size_t> sounding;   // channel * 128 + key -> note index
    while (!in.Done() && !in.broken && !track.ended) {
        tick += in.Variable();
        uint8_t first = in.Byte();
        if (first == 0xff) {
            const uint8_t type = in.Byte();
            const uint32_t length = in.Variable();
            if (type == 0x2f) { track.ended = true; track.endTick = tick; }
            if (type == 0x51 && length == 3) {
                const uint32_t high = in.Byte();
                const uint32_t middle = in.Byte();
                const uint32_t low = in.Byte();
                song.microsPerQuarter = (high << 16) | (middle << 8) | low;
            } else {
                in.Skip(length);
            }
            continue;
        }
        if (first == 0xf0 || first == 0xf7) { in.Skip(in.Variable()); continue; }
        uint8_t data1 = 0;
        if (first & 0x80) { status = first; data1 = in.Byte(); } else { data1 = first; }
        const uint8_t kind = status & 0xf0, channel = status & 0x0f;
        if (kind == 0xc0 || kind == 0xd0) { if (kind == 0xc0) track.programs.push_back(data1); continue; }
        const uint8_t data2 = in.Byte();
        const int id = channel * 128 + data1;
        if ((kind == 0x80 || (kind == 0x90 && data2 == 0)) && sounding.count(id)) {
            track.notes[sounding[id]].off = tick;
            sounding.erase(id);
        } else if (kind == 0x90) {
            if (sounding.count(id)) song.error = "a note starts while the same key still sounds";
            track.notes.push_back({tick, tick, channel, data1, data2});
            sounding[id] = track.notes.size() - 1;
        }
    }
    track.openNotes = static_cast<int>(sounding.size());
}

}  // namespace

ReadSong ReadMidi(const std::vector<uint8_t>& bytes)
{
    ReadSong song;
    if (bytes.size() < 14 || std::string(bytes.begin(), bytes.begin() + 4) != "MThd") {
        song.error = "no MThd header";
        return song;
    }
    song.format = static_cast<int>(Big(bytes, 8, 2));
    const uint32_t trackCount = Big(bytes, 10, 2);
    song.division = static_cast<int>(Big(bytes, 12, 2));
    size_t at = 8 + Big(bytes, 4, 4);
    for (uint32_t t = 0; t < trackCount; ++t) {
        if (at + 8 > bytes.size() || std::string(bytes.begin() + at, bytes.begin() + at + 4) != "MTrk") {
            song.error = "track " + std::to_string(t) + " missing";
            return song;
        }
        const size_t length = Big(bytes, at + 4, 4);
        if (at + 8 + length > bytes.size()) { song.error = "track runs past the file"; return song; }
        Cursor in(bytes, at + 8, at + 8 + length);
        ReadTrack track;
        ReadEvents(in, track, song);
        if (in.broken) song.error = "track " + std::to_string(t) + " is cut short";
        song.tracks.push_back(track);
        at += 8 + length;
    }
    return song;
}
