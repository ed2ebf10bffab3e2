#pragma once
#include <cstdint>

// Key codes of the per-frame key record: the Windows virtual-key numbers the game's rules were
// written against. SDL key events are translated into these by the platform layer.
namespace vk {
constexpr uint8_t Tab      = 9;
constexpr uint8_t Return   = 13;
constexpr uint8_t Shift    = 16;
constexpr uint8_t Pause    = 19;
constexpr uint8_t Escape   = 27;
constexpr uint8_t Space    = 32;
constexpr uint8_t PageUp   = 33;   // VK_PRIOR
constexpr uint8_t PageDown = 34;   // VK_NEXT
constexpr uint8_t Home     = 36;
constexpr uint8_t Left     = 37;
constexpr uint8_t Up       = 38;
constexpr uint8_t Right    = 39;
constexpr uint8_t Down     = 40;
constexpr uint8_t P        = 80;
constexpr uint8_t Z        = 90;
constexpr uint8_t F12      = 123;
}  // namespace vk

// Window messages as the game's message handlers understand them.
namespace wm {
constexpr uint32_t Destroy     = 2;
constexpr uint32_t Close       = 16;
constexpr uint32_t KeyDown     = 256;
constexpr uint32_t KeyUp       = 257;
constexpr uint32_t MouseMove   = 512;
constexpr uint32_t LButtonDown = 513;
constexpr uint32_t LButtonUp   = 514;
constexpr uint32_t RButtonDown = 516;
constexpr uint32_t RButtonUp   = 517;
constexpr uint32_t MusicNotify = 0x3B9;   // the end-of-piece notification of the music player
constexpr uint32_t NotifySuccessful = 1;
}  // namespace wm
