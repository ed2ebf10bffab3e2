#pragma once
#include "stage/ObjectKinds.h"
#include "stage/Player.h"
#include "stage/WorldObject.h"

#include <cstdint>
#include <memory>

class EffectList;
class Field;
class Graphics;
class Keyboard;
class SoundBank;
class Texture;

// The state of the stage's map.
enum MapState : uint8_t {
    MapNone    = 0,   // no map in this stage yet: the next slain enemy may drop one
    MapDropped = 1,   // a map lies somewhere
    MapHeld    = 2,   // the player has the map; SHIFT opens the overhead view
    MapView    = 3,   // the overhead view is open
};

// Sound slots the stage plays.
enum StageSound : uint16_t {
    SoundShotBlocked = 1,
    SoundPlayerHit   = 3,
    SoundPickUp      = 4,
    SoundExit        = 5,
};

// One stage of play: the list of world objects, the player, the map and the mage figure chosen
// on the title. Objects live in one singly linked list in creation order; whatever is created
// while the list is walked joins its tail and is still walked in the same frame. Dead objects
// stay in the list (and on screen) until the purge at the start of the next update or draw.
class Stage {
public:
    Stage(Graphics* graphics, SoundBank* sound);   // graphics must not be null; sound may be
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;
    ~Stage();

    void SetTexture(int index, Texture* texture);   // 0: the sprite sheet; other indices ignored

    // A new object of `kind` at the tail of the list; the caller sets its position.
    WorldObject* CreateObject(int8_t kind);
    // 0: every object; -1: the dead ones; any other kind: the dead ones and all of that kind.
    void RemoveObjects(int8_t kind);
    void DrawObjects();   // purges the dead, then draws every object

    // One frame of every object: think, move, touch the player or hit enemies, draw. True when
    // the player reached the exit (the objects after it are left alone that frame).
    bool UpdateObjects(Field* field, EffectList* effects);
    // One frame of the player: map view or controls, casting, view, camera, move, counters.
    // Returns a HudResult: 0 play on, 1 LIFE is gone, 2 TIME is gone.
    int8_t UpdatePlayer(const Keyboard& keyboard, Field* field);

    void PlacePlayer(float x, float y, float z);   // at a stage start: also resets the player
    void ClearMap()                   { mapState = MapNone; }
    void SetFigure(int8_t value)      { figureChoice = value; }
    Player* GetPlayer() const         { return player.get(); }

    int ObjectCount() const;
    WorldObject* First() const        { return objects; }
    uint8_t GetMapState() const       { return mapState; }
    void SetMapState(uint8_t state)   { mapState = state; }
    int8_t FigureChoice() const       { return figureChoice; }
    Graphics* GetGraphics() const     { return graphics; }
    Texture* GetTexture() const       { return textures[0]; }

private:
    bool TouchPlayer(WorldObject& object, const Field* field, EffectList* effects);
    void RaiseExit(const Field* field, EffectList* effects);
    void PickUpPowerItem(const WorldObject& item);
    void StopBlockedShot(const WorldObject& shot, EffectList* effects);
    void ToggleMapView(const Keyboard& keyboard, Field* field);
    void SteerPlayer(const Keyboard& keyboard, const Field* field, Controls& controls);
    void CastShot(const Field* field);
    void AimCamera();
    void DrawObject(WorldObject& object);
    void PlaySound(uint16_t slot);
    int8_t MarkerKind() const         { return static_cast<int8_t>(KindFigure0 + figureChoice); }

    Graphics*               graphics;                   // not owned
    SoundBank*              sound;                      // not owned; null plays nothing
    WorldObject*            objects = nullptr;          // owned list, head first; null when empty
    std::unique_ptr<Player> player;                     // lives as long as the stage
    Texture*                textures[1] = {};           // not owned; 0: the sprite sheet
    uint8_t                 mapState = MapNone;         // MapState
    int8_t                  figureChoice = -1;          // -1 none yet, 0 or 1 from the title
};
