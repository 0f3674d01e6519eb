#include "runtime/linux/sdl_mixer_player.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>

namespace gd {
namespace {

// A track whose decoder cannot tell its length (MIDI with some synthesizers) counts as
// endless: it ends when the mixer says it stopped.
constexpr uint32_t kUnknownLength = 0xFFFFFFFFu;

uint32_t Milliseconds(double seconds) {
    if (!(seconds >= 0)) return 0;
    double ms = std::floor(seconds * 1000.0 + 0.5);
    return ms >= double(kUnknownLength) ? kUnknownLength - 1 : uint32_t(ms);
}

}  // namespace

const std::vector<std::string>& SdlMixerPlayer::SoundFontCandidates() {
    static const std::vector<std::string> fonts = {
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf3/default-GM.sf3",
    };
    return fonts;
}

SdlMixerPlayer::~SdlMixerPlayer() {
    Close();
    if (device_ == Device::kOpen) {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SdlMixerPlayer::OpenDevice(std::string* why) {
    if (device_ == Device::kUnopened) {
        if (const char* fonts = std::getenv("SDL_SOUNDFONTS"); !fonts || !*fonts) {
            for (const std::string& f : SoundFontCandidates()) {
                if (::access(f.c_str(), R_OK) == 0) {
                    Mix_SetSoundFonts(f.c_str());
                    break;
                }
            }
        }
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            device_ = Device::kFailed;
            device_error_ = std::string("no sound device: ") + SDL_GetError();
        } else if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
            device_ = Device::kFailed;
            device_error_ = std::string("no sound device: ") + Mix_GetError();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        } else {
            device_ = Device::kOpen;
            Mix_Init(MIX_INIT_MP3 | MIX_INIT_MID);
        }
    }
    if (device_ == Device::kFailed && why) *why = device_error_;
    return device_ == Device::kOpen;
}

bool SdlMixerPlayer::Open(const std::string& path, std::string* why) {
    Close();
    if (!OpenDevice(why)) return false;
    music_ = Mix_LoadMUS(path.c_str());
    if (!music_) {
        if (why) *why = std::string("cannot open ") + path + ": " + Mix_GetError();
        return false;
    }
    double seconds = Mix_MusicDuration(music_);
    length_ms_ = seconds > 0 ? Milliseconds(seconds) : kUnknownLength;
    played_ = false;
    return true;
}

bool SdlMixerPlayer::PlayFrom(uint32_t from_ms, std::string* why) {
    if (!music_) {
        if (why) *why = "nothing open";
        return false;
    }
    played_ = true;
    if (Mix_PlayMusic(music_, 1) != 0) {
        if (why) *why = Mix_GetError();
        return false;
    }
    if (from_ms > 0) Mix_SetMusicPosition(from_ms / 1000.0);
    started_ticks_ = SDL_GetTicks() - from_ms;
    return true;
}

void SdlMixerPlayer::Halt() {
    if (music_) Mix_HaltMusic();
}

void SdlMixerPlayer::Close() {
    if (!music_) return;
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
    length_ms_ = 0;
    played_ = false;
}

uint32_t SdlMixerPlayer::Position() {
    if (!music_ || !played_) return 0;
    if (Stopped()) return length_ms_ == kUnknownLength ? 0 : length_ms_;
    double seconds = Mix_GetMusicPosition(music_);
    uint32_t ms = seconds >= 0 ? Milliseconds(seconds) : SDL_GetTicks() - started_ticks_;
    return length_ms_ != kUnknownLength && ms >= length_ms_ ? length_ms_ - 1 : ms;
}

bool SdlMixerPlayer::Playing() { return music_ && played_ && Mix_PlayingMusic() && !Mix_PausedMusic(); }

bool SdlMixerPlayer::Stopped() { return !music_ || !played_ || !Mix_PlayingMusic(); }

}  // namespace gd
