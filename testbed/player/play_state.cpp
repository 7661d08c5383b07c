// Play-control rules: play starts the current entry (again), pause toggles, next and
// previous wrap around the playlist and start the new entry unless the player is stopped;
// selecting a position changes nothing else.
#include "play_state.h"

namespace standin {

bool Transport::Play() {
  if (count == 0) return false;
  state = PlayState::kPlaying;
  return true;
}

bool Transport::Pause() {
  if (state == PlayState::kPlaying) {
    state = PlayState::kPaused;
  } else if (state == PlayState::kPaused) {
    state = PlayState::kPlaying;
  }
  return false;
}

bool Transport::Stop() {
  state = PlayState::kStopped;
  return false;
}

bool Transport::Next() {
  if (count == 0) return false;
  return MoveTo((position + 1) % count);
}

bool Transport::Previous() {
  if (count == 0) return false;
  return MoveTo((position + count - 1) % count);
}

bool Transport::Select(std::int32_t newPosition) {
  if (newPosition < 0 || newPosition >= count) return false;
  position = newPosition;
  return true;
}

bool Transport::MoveTo(std::int32_t newPosition) {
  position = newPosition;
  if (state == PlayState::kStopped) return false;
  state = PlayState::kPlaying;
  return true;
}

std::int32_t PlayStateNumber(PlayState state) {
  switch (state) {
    case PlayState::kPlaying:
      return 1;
    case PlayState::kPaused:
      return 3;
    case PlayState::kStopped:
      break;
  }
  return 0;
}

const char* PlayStateName(PlayState state) {
  switch (state) {
    case PlayState::kPlaying:
      return "playing";
    case PlayState::kPaused:
      return "paused";
    case PlayState::kStopped:
      break;
  }
  return "stopped";
}

}  // namespace standin
