#include "MidiWriter.h"

#include <algorithm>
#include <cmath>

namespace {

struct TimedEvent {
    uint32_t             tick  = 0;
    int                  order = 0;   // at one tick: set-up, then note-offs, then note-ons
    std::vector<uint8_t> bytes;
};

void PutVariable(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & 0x7f);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void PutBig(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

TimedEvent Meta(uint32_t tick, uint8_t type, const std::vector<uint8_t>& data)
{
    TimedEvent event{tick, 0, {0xff, type}};
    PutVariable(event.bytes, static_cast<uint32_t>(data.size()));
    event.bytes.insert(event.bytes.end(), data.begin(), data.end());
    return event;
}

TimedEvent Text(uint32_t tick, uint8_t type, const std::string& text)
{
    return Meta(tick, type, std::vector<uint8_t>(text.begin(), text.end()));
}

TimedEvent Control(uint8_t channel, uint8_t controller, uint8_t value)
{
    return {0, 0, {static_cast<uint8_t>(0xb0 | channel), controller, value}};
}

std::vector<uint8_t> Chunk(const std::vector<TimedEvent>& unsorted, uint32_t end)
{
    std::vector<TimedEvent> events = unsorted;
    std::stable_sort(events.begin(), events.end(), [](const TimedEvent& a, const TimedEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    uint32_t now = 0;
    for (const TimedEvent& event : events) {
        PutVariable(body, event.tick - now);
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
        now = event.tick;
    }
    PutVariable(body, end - now);
    body.insert(body.end(), {0xff, 0x2f, 0x00});   // end of track
    std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
    PutBig(chunk, static_cast<uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<uint8_t> ConductorTrack(const Song& song)
{
    const uint32_t microsPerQuarter = static_cast<uint32_t>(60000000 / song.tempo);
    const uint8_t meterPower = static_cast<uint8_t>(std::lround(std::log2(song.meterBottom)));
    std::vector<TimedEvent> events;
    events.push_back(Text(0, 0x03, song.title));
    events.push_back(Meta(0, 0x58, {static_cast<uint8_t>(song.meterTop), meterPower, 24, 8}));
    events.push_back(Meta(0, 0x51, {static_cast<uint8_t>(microsPerQuarter >> 16), static_cast<uint8_t>(microsPerQuarter >> 8),
                                    static_cast<uint8_t>(microsPerQuarter)}));
    return Chunk(events, song.length);
}

std::vector<uint8_t> MusicTrack(const ScoreTrack& track, uint32_t end)
{
    const uint8_t channel = track.channel;
    std::vector<TimedEvent> events;
    events.push_back(Text(0, 0x03, track.name));
    events.push_back(Control(channel, 0, 0));   // bank 0: the General MIDI sounds
    events.push_back({0, 0, {static_cast<uint8_t>(0xc0 | channel), track.program}});
    events.push_back(Control(channel, 7, track.volume));
    events.push_back(Control(channel, 10, track.pan));
    events.push_back(Control(channel, 11, 127));
    events.push_back(Control(channel, 91, track.reverb));
    events.push_back(Control(channel, 93, track.chorus));
    for (const ScoreNote& note : track.notes) {
        const uint32_t sounding = std::max<uint32_t>(1, static_cast<uint32_t>(note.length * track.gate));
        events.push_back({note.tick, 2, {static_cast<uint8_t>(0x90 | channel), note.key, note.velocity}});
        events.push_back({std::min(end, note.tick + sounding), 1, {static_cast<uint8_t>(0x80 | channel), note.key, 64}});
    }
    return Chunk(events, end);
}

}  // namespace

std::vector<uint8_t> WriteMidi(const Song& song)
{
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    PutBig(out, 6, 4);
    PutBig(out, 1, 2);   // format 1: tracks played together
    PutBig(out, static_cast<uint32_t>(song.tracks.size() + 1), 2);
    PutBig(out, static_cast<uint32_t>(song.division), 2);
    const std::vector<uint8_t> conductor = ConductorTrack(song);
    out.insert(out.end(), conductor.begin(), conductor.end());
    for (const ScoreTrack& track : song.tracks) {
        const std::vector<uint8_t> chunk = MusicTrack(track, song.length);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}
