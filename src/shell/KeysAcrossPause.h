#pragma once
#include <bitset>
#include <cstdint>
#include <vector>

// The keys as the game was last told of them, so that a pause hands the game only what it
// must know: a key let go during the pause goes up as the game resumes, a key held across the
// pause is still held, and a key that went down during the pause never reaches the game as a
// press (the game hears nothing of it until it has been let go).
class KeysAcrossPause {
public:
    // A key message on its way to the running game: false when the game must not see it.
    bool PassToGame(bool down, uint8_t key);

    void Paused();
    void DuringPause(bool down, uint8_t key);
    // The keys to send up as the game resumes.
    std::vector<uint8_t> Resumed();

private:
    std::bitset<256> down;      // as the game knows them
    std::bitset<256> heldNow;   // during a pause: as they are
    std::bitset<256> unknown;   // went down during a pause and are still down: kept from the game
};
