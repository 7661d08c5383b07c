// What is playing: the play state and the playlist position, and how the play-control
// commands change them. Tracks never end by themselves; only commands move the position.
#pragma once

#include <cstdint>

namespace standin {

enum class PlayState { kStopped, kPlaying, kPaused };

struct Transport {
  PlayState state = PlayState::kStopped;
  std::int32_t position = 0;
  std::int32_t count = 0;  // playlist entries

  // Each returns true when a track starts playing because of it.
  bool Play();
  bool Pause();
  bool Stop();
  bool Next();
  bool Previous();
  // Moves to a position without touching the state; false when it lies outside the playlist.
  bool Select(std::int32_t newPosition);

 private:
  bool MoveTo(std::int32_t newPosition);
};

// 1 playing, 3 paused, 0 stopped: the player's own numbers for its state.
std::int32_t PlayStateNumber(PlayState state);
const char* PlayStateName(PlayState state);

}  // namespace standin
