#pragma once

#include <SDL.h>

#include <string>

namespace velmora {

// SDL2, opened the first time it is asked for rather than when the program
// starts: with its audio back ends it brings some thirty libraries, whose
// loading and linking would otherwise come before the first window. The
// functions the audio output uses, looked up once.
struct SdlLibrary {
    decltype(&::SDL_SetHint) SetHint = nullptr;
    decltype(&::SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&::SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&::SDL_GetError) GetError = nullptr;
    decltype(&::SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&::SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
    decltype(&::SDL_PauseAudioDevice) PauseAudioDevice = nullptr;
    decltype(&::SDL_RWFromConstMem) RWFromConstMem = nullptr;
    decltype(&::SDL_LoadWAV_RW) LoadWAV_RW = nullptr;
    decltype(&::SDL_FreeWAV) FreeWAV = nullptr;
    decltype(&::SDL_NewAudioStream) NewAudioStream = nullptr;
    decltype(&::SDL_FreeAudioStream) FreeAudioStream = nullptr;
    decltype(&::SDL_AudioStreamPut) AudioStreamPut = nullptr;
    decltype(&::SDL_AudioStreamGet) AudioStreamGet = nullptr;
    decltype(&::SDL_AudioStreamFlush) AudioStreamFlush = nullptr;
    decltype(&::SDL_AudioStreamAvailable) AudioStreamAvailable = nullptr;
    decltype(&::SDL_TLSCleanup) TLSCleanup = nullptr;  // since SDL 2.0.16

    // The library as the first call opened it, from whichever thread; null
    // when it cannot be opened or lacks a function, and then `problem`
    // (when given) says why.
    static const SdlLibrary* Get(std::string* problem = nullptr);
};

}  // namespace velmora
