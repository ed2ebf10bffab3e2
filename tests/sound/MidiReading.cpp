#include "MidiReading.h"

#include <map>

namespace {

uint32_t Big(const std::vector<uint8_t>& b, size_t at, int count)
{
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) v = (v << 8) | b[at + i];
    return v;
}

// Reads one track's events from `at` to `end`; false when an event runs past the end.
bool ReadEvents(const std::vector<uint8_t>& b, size_t at, size_t end, ReadTrack& track, ReadSong& song)
{
    const auto variable = [&](uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4 && at < end; ++i) {
            value = (value << 7) | (b[at] & 0x7f);
            if (!(b[at++] & 0x80)) return true;
        }
        return false;
    };
    uint32_t tick = 0, delta = 0, length = 0;
    std::map<int, size_t> sounding;   // channel * 128 + key -> note index
    while (at < end && !track.ended) {
        if (!variable(delta) || at >= end) return false;
        tick += delta;
        const uint8_t status = b[at++];
        if (status == 0xff) {
            if (at >= end) return false;
            const uint8_t type = b[at++];
            if (!variable(length) || at + length > end) return false;
            if (type == 0x2f) track.ended = true, track.endTick = tick;
            if (type == 0x51 && length == 3) song.microsPerQuarter = Big(b, at, 3);
            at += length;
            continue;
        }
        const uint8_t kind = status & 0xf0, channel = status & 0x0f;
        const size_t dataBytes = kind == 0xc0 || kind == 0xd0 ? 1 : 2;
        if (!(status & 0x80) || at + dataBytes > end) return false;   // every event carries its status
        const uint8_t key = b[at], velocity = dataBytes == 2 ? b[at + 1] : 0;
        at += dataBytes;
        const int id = channel * 128 + key;
        if (kind == 0xc0) track.programs.push_back(key);
        if ((kind == 0x80 || (kind == 0x90 && velocity == 0)) && sounding.count(id)) {
            track.notes[sounding[id]].off = tick;
            sounding.erase(id);
        } else if (kind == 0x90) {
            if (sounding.count(id)) song.error = "a note starts while the same key still sounds";
            track.notes.push_back({tick, tick, channel, key, velocity});
            sounding[id] = track.notes.size() - 1;
        }
    }
    track.openNotes = static_cast<int>(sounding.size());
    return true;
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
    song.division = static_cast<int>(Big(bytes, 12, 2));
    size_t at = 8 + Big(bytes, 4, 4);
    for (uint32_t t = 0; t < Big(bytes, 10, 2); ++t) {
        const size_t length = at + 8 <= bytes.size() ? Big(bytes, at + 4, 4) : 0;
        if (at + 8 > bytes.size() || std::string(bytes.begin() + at, bytes.begin() + at + 4) != "MTrk" ||
            at + 8 + length > bytes.size()) {
            song.error = "track " + std::to_string(t) + " missing or past the file";
            return song;
        }
        ReadTrack track;
        if (!ReadEvents(bytes, at + 8, at + 8 + length, track, song)) song.error = "track " + std::to_string(t) + " is cut short";
        song.tracks.push_back(track);
        at += 8 + length;
    }
    return song;
}
