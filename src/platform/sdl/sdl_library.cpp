#include "platform/sdl/sdl_library.h"

#include <dlfcn.h>

namespace tallymar {
namespace {

// Every function or none: a library that lacks one is not used at all.
SdlLibrary* Load() {
    void* handle = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
    static SdlLibrary library;
    bool complete = true;
#define TALLYMAR_SDL_RESOLVE(name)                                            \
    library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    complete = complete && library.name != nullptr;
    TALLYMAR_SDL_FUNCTIONS(TALLYMAR_SDL_RESOLVE)
#undef TALLYMAR_SDL_RESOLVE
    return complete ? &library : nullptr;
}

}  // namespace

const SdlLibrary* Sdl() {
    // The library is the process's own, loaded once like any linked one.
    static const SdlLibrary* const library = Load();
    return library;
}

}  // namespace tallymar
