// The ringtones a virtual phone holds before anything was written to it:
// three short Standard MIDI files and one entry whose data is not MIDI.
#pragma once

#include <vector>

#include "RingtoneStore.h"

std::vector<StoredRingtone> SampleRingtones();
