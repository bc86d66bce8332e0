#include "platform/SdlLibrary.h"

#include <dlfcn.h>

#include <optional>

namespace velmora {

namespace {

// The name SDL2's run-time library is installed under on every Linux.
constexpr char kSoname[] = "libSDL2-2.0.so.0";

struct Opened {
    std::optional<SdlLibrary> library;
    std::string problem;
};

template <class Function>
bool Find(void* handle, const char* name, Function& function, std::string& problem)
{
    function = reinterpret_cast<Function>(::dlsym(handle, name));
    if (function == nullptr && problem.empty())
        problem = std::string(kSoname) + " has no " + name;
    return function != nullptr;
}

Opened Open()
{
    Opened opened;
    // Local: SDL's own dependencies stay out of the program's symbol lookups.
    // Never closed: SDL's threads may outlive any owner.
    void* handle = ::dlopen(kSoname, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* error = ::dlerror();
        opened.problem = error != nullptr ? error : kSoname;
        return opened;
    }
    SdlLibrary sdl;
    std::string& problem = opened.problem;
    const bool complete = Find(handle, "SDL_SetHint", sdl.SetHint, problem) &&
                          Find(handle, "SDL_InitSubSystem", sdl.InitSubSystem, problem) &&
                          Find(handle, "SDL_QuitSubSystem", sdl.QuitSubSystem, problem) &&
                          Find(handle, "SDL_GetError", sdl.GetError, problem) &&
                          Find(handle, "SDL_OpenAudioDevice", sdl.OpenAudioDevice, problem) &&
                          Find(handle, "SDL_CloseAudioDevice", sdl.CloseAudioDevice, problem) &&
                          Find(handle, "SDL_PauseAudioDevice", sdl.PauseAudioDevice, problem) &&
                          Find(handle, "SDL_RWFromConstMem", sdl.RWFromConstMem, problem) &&
                          Find(handle, "SDL_LoadWAV_RW", sdl.LoadWAV_RW, problem) &&
                          Find(handle, "SDL_FreeWAV", sdl.FreeWAV, problem) &&
                          Find(handle, "SDL_NewAudioStream", sdl.NewAudioStream, problem) &&
                          Find(handle, "SDL_FreeAudioStream", sdl.FreeAudioStream, problem) &&
                          Find(handle, "SDL_AudioStreamPut", sdl.AudioStreamPut, problem) &&
                          Find(handle, "SDL_AudioStreamGet", sdl.AudioStreamGet, problem) &&
                          Find(handle, "SDL_AudioStreamFlush", sdl.AudioStreamFlush, problem) &&
                          Find(handle, "SDL_AudioStreamAvailable", sdl.AudioStreamAvailable, problem) &&
                          Find(handle, "SDL_TLSCleanup", sdl.TLSCleanup, problem);
    if (complete)
        opened.library = sdl;
    return opened;
}

}  // namespace

const SdlLibrary* SdlLibrary::Get(std::string* problem)
{
    static const Opened opened = Open();
    if (!opened.library && problem != nullptr)
        *problem = opened.problem;
    return opened.library ? &*opened.library : nullptr;
}

}  // namespace velmora
