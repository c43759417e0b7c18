// SDL's functions as the sound device uses them (wave files are read and converted
// by wave_data.cpp, never by SDL), taken from libSDL2 when the first sound
// plays rather than linked into the program: the library and the many it pulls in
// (ALSA, PulseAudio, X11, Wayland) would otherwise lengthen every start-up.
#pragma once

#include <SDL.h>

namespace tallymar {

#define TALLYMAR_SDL_FUNCTIONS(X) \
    X(SDL_LogSetOutputFunction)   \
    X(SDL_SetHint)                \
    X(SDL_InitSubSystem)          \
    X(SDL_QuitSubSystem)          \
    X(SDL_OpenAudioDevice)        \
    X(SDL_CloseAudioDevice)       \
    X(SDL_PauseAudioDevice)       \
    X(SDL_GetAudioDeviceStatus)   \
    X(SDL_QueueAudio)             \
    X(SDL_GetQueuedAudioSize)     \
    X(SDL_ClearQueuedAudio)

struct SdlLibrary {
#define TALLYMAR_SDL_POINTER(name) decltype(&::name) name = nullptr;
    TALLYMAR_SDL_FUNCTIONS(TALLYMAR_SDL_POINTER)
#undef TALLYMAR_SDL_POINTER
};

// libSDL2, loaded at the first call and kept for the rest of the run; nullptr when
// it is not installed (every sound is then silent).
const SdlLibrary* Sdl();

}  // namespace tallymar
