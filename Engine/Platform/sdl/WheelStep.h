#pragma once

namespace Platform::Sdl {

// The vertical step of a wheel event, with the direction the user set
// (flipped: the system reports it inverted); 0 when the wheel only moved
// sideways, which is no step of the wheel.
inline int wheelStep(int vertical, bool flipped) { return flipped ? -vertical : vertical; }

}  // namespace Platform::Sdl
