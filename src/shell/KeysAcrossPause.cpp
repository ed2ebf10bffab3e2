#include "shell/KeysAcrossPause.h"

bool KeysAcrossPause::PassToGame(bool isDown, uint8_t key)
{
    if (unknown.test(key)) {
        if (!isDown) unknown.reset(key);
        return false;
    }
    down.set(key, isDown);
    return true;
}

void KeysAcrossPause::Paused() { heldNow = down | unknown; }

void KeysAcrossPause::DuringPause(bool isDown, uint8_t key)
{
    heldNow.set(key, isDown);
    if (!isDown) unknown.reset(key);
}

std::vector<uint8_t> KeysAcrossPause::Resumed()
{
    std::vector<uint8_t> released;
    for (size_t key = 0; key < down.size(); ++key) {
        if (down.test(key) && !heldNow.test(key)) released.push_back(static_cast<uint8_t>(key));
    }
    unknown |= heldNow & ~down;
    down &= heldNow;
    return released;
}
