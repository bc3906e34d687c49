#include "game/game_sound.h"

#include "game/game_state.h"

namespace tuublark {

std::string ChannelVariableName(const GameState& g, const ChannelRef& channel) {
    const std::pair<const ChannelRef*, const char*> names[] = {
        {&g.MusicChannelA, "MusicChannelA"},   {&g.MusicChannelB, "MusicChannelB"},
        {&g.EffectChannel1, "EffectChannel1"}, {&g.EffectChannel2, "EffectChannel2"},
        {&g.EffectChannel3, "EffectChannel3"}, {&g.EffectChannel4, "EffectChannel4"},
    };
    for (const auto& [variable, name] : names)
        if (channel && *variable == channel) return name;
    return "?";
}

void ApplyVolumes(GameState& g, int32_t music, int32_t effects) {
    for (const ChannelRef& channel : {g.MusicChannelA, g.MusicChannelB})
        SetChannelVolume(channel, 0.7f * (static_cast<float>(music) / 100.0f));
    for (const ChannelRef& channel : g.SoundChannels)
        SetChannelVolume(channel, 0.7f * (static_cast<float>(effects) / 100.0f));
}

void PlayGameSound(GameState& g, const SoundRef& sound, const std::string& path, const ChannelRef& channel) {
    g.FrameSounds.push_back(ChannelVariableName(g, channel) + ":" + path);
    PlaySound(sound, channel);
}

}  // namespace tuublark
