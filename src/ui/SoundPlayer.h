// The sound announcing a received fax.
#pragma once

#include <string>

namespace vl::ui {

// Starts playing a WAV file with the desktop's sound player (paplay, else
// aplay) and returns at once; nothing happens when the file or a player is
// missing. True when a player was started.
bool PlaySoundFile(const std::string& file);

}  // namespace vl::ui
