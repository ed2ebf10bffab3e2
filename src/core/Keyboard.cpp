#include "core/Keyboard.h"

#include "core/VirtualKeys.h"

#include <algorithm>
#include <iterator>

namespace {

// One frame of one key: a press seen for a frame becomes held, and a down key counts frames.
// An auto-repeat press arrives with a non-zero counter and so never reads as pressed.
void AdvanceKey(int8_t& state, uint8_t& frames)
{
    if (state == KeyPressed && frames != 0) state = KeyHeld;
    if (state > KeyUp && frames < 255) ++frames;
}

}  // namespace

void Keyboard::Reset()
{
    rightButton = KeyUp;
    leftButton = KeyUp;
    std::fill(std::begin(keys), std::end(keys), KeyUp);
    std::fill(std::begin(keyFrames), std::end(keyFrames), 0);
}

void Keyboard::OnMessage(uint32_t message, uint64_t wParam, int64_t lParam)
{
    switch (message) {
    case wm::KeyDown:
        if (wParam < 256) keys[wParam] = KeyPressed;
        break;
    case wm::KeyUp:
        if (wParam < 256) {
            keys[wParam] = KeyUp;
            keyFrames[wParam] = 0;
        }
        break;
    case wm::MouseMove:
        mouseX = static_cast<int16_t>(lParam & 0xffff);
        mouseY = static_cast<int16_t>((lParam >> 16) & 0xffff);
        break;
    case wm::LButtonDown: leftButton = KeyPressed; break;
    case wm::LButtonUp:   leftButton = KeyUp; leftButtonFrames = 0; break;
    case wm::RButtonDown: rightButton = KeyPressed; break;
    case wm::RButtonUp:   rightButton = KeyUp; rightButtonFrames = 0; break;
    default: break;
    }
}

void Keyboard::Update()
{
    AdvanceKey(leftButton, leftButtonFrames);
    AdvanceKey(rightButton, rightButtonFrames);
    for (int key = 0; key < 256; ++key) AdvanceKey(keys[key], keyFrames[key]);
}
