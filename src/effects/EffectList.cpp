#include "effects/EffectList.h"

EffectList::EffectList(Graphics* graphics_, SoundBank* sounds_)
    : graphics(graphics_), sounds(sounds_) {}

EffectList::~EffectList()
{
    Remove(0);
}

void EffectList::SetTexture(int index, Texture* texture)
{
    if (index < 0 || index >= TextureCount) return;
    textures[index] = texture;
}

Effect* EffectList::Create(int8_t kind)
{
    Effect* effect = new Effect(graphics, kind);
    effect->SetUp(textures[ColumnTexture], textures[SheetTexture], sounds);
    Effect** tail = &head;
    while (*tail != nullptr) tail = &(*tail)->next;
    *tail = effect;
    return effect;
}

void EffectList::Remove(int8_t kind)
{
    Effect** link = &head;   // the next of the last effect that stayed, or head
    while (*link != nullptr) {
        Effect* effect = *link;
        const bool stays = effect->finished == 0 && effect->kind != kind && kind != 0;
        if (stays) {
            link = &effect->next;
            continue;
        }
        *link = effect->next;
        delete effect;
    }
}

void EffectList::Frame()
{
    Remove(-1);
    for (Effect* effect = head; effect != nullptr; effect = effect->next) {
        effect->Update();
        effect->DrawFirstPass();
    }
    for (Effect* effect = head; effect != nullptr; effect = effect->next) {
        if (effect->kind == EffectLightColumn) effect->DrawLightColumn();
    }
}

int EffectList::Count() const
{
    int count = 0;
    for (const Effect* effect = head; effect != nullptr; effect = effect->next) ++count;
    return count;
}
