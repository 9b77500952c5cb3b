#include "SampleRingtones.h"

#include <cstdint>

namespace {

struct Note {
    uint8_t key;   // MIDI note number; 0 is a rest
    uint8_t ticks; // length at 96 ticks per quarter note
};

void PutBE(std::vector<uint8_t> &out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Delta times here stay below 128 ticks, so each is one byte long.
std::vector<uint8_t> StandardMidiFile(uint8_t program, uint32_t microsecondsPerQuarter, const Note *notes, size_t count)
{
    std::vector<uint8_t> track;
    const uint8_t tempo[] = {0x00, 0xFF, 0x51, 0x03};
    track.insert(track.end(), tempo, tempo + 4);
    PutBE(track, microsecondsPerQuarter, 3);
    const uint8_t instrument[] = {0x00, 0xC0, program};
    track.insert(track.end(), instrument, instrument + 3);
    uint8_t pending = 0; // rest ticks before the next note
    for (size_t i = 0; i < count; ++i) {
        if (notes[i].key == 0) {
            pending = static_cast<uint8_t>(pending + notes[i].ticks);
            continue;
        }
        const uint8_t on[] = {pending, 0x90, notes[i].key, 0x64, notes[i].ticks, 0x80, notes[i].key, 0x40};
        track.insert(track.end(), on, on + 8);
        pending = 0;
    }
    const uint8_t end[] = {pending, 0xFF, 0x2F, 0x00};
    track.insert(track.end(), end, end + 4);

    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
    PutBE(file, static_cast<uint32_t>(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

StoredRingtone Sample(uint16_t location, bool preset, const wchar_t *name, std::vector<uint8_t> data)
{
    StoredRingtone r;
    r.location = location;
    r.preset = preset;
    r.name = name;
    r.data = std::move(data);
    return r;
}

const Note kBells[] = {{76, 48}, {72, 48}, {74, 48}, {67, 96}, {0, 48}, {67, 48}, {74, 48}, {76, 48}, {72, 96},
                       {0, 48}, {76, 48}, {74, 48}, {72, 48}, {67, 96}, {0, 48}, {67, 48}, {74, 48}, {76, 48},
                       {72, 96}, {0, 48}, {72, 24}, {76, 24}, {79, 24}, {84, 96}};
const Note kScale[] = {{60, 24}, {62, 24}, {64, 24}, {65, 24}, {67, 24}, {69, 24}, {71, 24}, {72, 48},
                       {0, 24},  {72, 24}, {71, 24}, {69, 24}, {67, 24}, {65, 24}, {64, 24}, {62, 24},
                       {60, 48}, {0, 24},  {60, 12}, {64, 12}, {67, 12}, {72, 12}, {67, 12}, {64, 12}, {60, 48}};
const Note kPolka[] = {{67, 24}, {0, 24}, {71, 24}, {0, 24}, {74, 24}, {74, 24}, {72, 24}, {71, 24},
                       {69, 24}, {0, 24}, {72, 24}, {0, 24}, {76, 24}, {76, 24}, {74, 24}, {72, 24},
                       {71, 24}, {69, 24}, {67, 24}, {66, 24}, {67, 48}, {0, 24}, {62, 24}, {67, 48}};

// A ringtone in the phone's own compact format: not a MIDI file, so a
// download keeps it as raw data.
const uint8_t kCompactTone[] = {0x02, 0x4A, 0x3A, 0x51, 0xD1, 0x95, 0xCD, 0xD0, 0x04, 0x00, 0x1B, 0x20, 0x55,
                                0x05, 0x90, 0x61, 0x05, 0x60, 0x55, 0x85, 0x50, 0x54, 0x85, 0x40, 0x82, 0x08,
                                0x49, 0x90, 0x00, 0x00};

} // namespace

std::vector<StoredRingtone> SampleRingtones()
{
    std::vector<StoredRingtone> samples;
    samples.push_back(Sample(1, true, L"Bells", StandardMidiFile(14, 500000, kBells, sizeof kBells / sizeof *kBells)));
    samples.push_back(Sample(2, false, L"Scale", StandardMidiFile(0, 400000, kScale, sizeof kScale / sizeof *kScale)));
    samples.push_back(Sample(3, false, L"Polka", StandardMidiFile(21, 350000, kPolka, sizeof kPolka / sizeof *kPolka)));
    samples.push_back(Sample(4, false, L"Compact tone",
                             std::vector<uint8_t>(kCompactTone, kCompactTone + sizeof kCompactTone)));
    return samples;
}
