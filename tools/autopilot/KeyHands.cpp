#include "KeyHands.h"

#include "core/VirtualKeys.h"
#include "game/Game.h"

void KeyHands::Apply(const Intent& intent, uint64_t frame, Game& game)
{
    Hold(vk::Left, intent.left, frame, game);
    Hold(vk::Right, intent.right, frame, game);
    Hold(vk::Up, intent.forward, frame, game);
    Tap(vk::Space, intent.jump || intent.accept, frame, game);
    Tap(vk::Z, intent.cast, frame, game);
}

void KeyHands::Hold(uint8_t key, bool wanted, uint64_t frame, Game& game)
{
    if (wanted != down[key]) Send(key, wanted, frame, game);
}

// A key held from the last frame would read as held, not pressed: let it go first.
void KeyHands::Tap(uint8_t key, bool wanted, uint64_t frame, Game& game)
{
    if (down[key]) Send(key, false, frame, game);
    else if (wanted) Send(key, true, frame, game);
}

void KeyHands::Send(uint8_t key, bool press, uint64_t frame, Game& game)
{
    down[key] = press;
    game.OnMessage(press ? wm::KeyDown : wm::KeyUp, key, 0);
    recording.events.push_back({frame, press, key});
}
