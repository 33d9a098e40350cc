#pragma once

#define SDL_MAIN_HANDLED
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace vextal {

// Every SDL and mixer function the sound uses, called through the loaded library.
#define VEXTAL_SOUND_FUNCTIONS(X) \
  X(SDL_SetHint)                  \
  X(SDL_SetMainReady)             \
  X(SDL_InitSubSystem)            \
  X(SDL_QuitSubSystem)            \
  X(SDL_WasInit)                  \
  X(SDL_Quit)                     \
  X(SDL_RWFromConstMem)           \
  X(SDL_RWclose)                  \
  X(Mix_Init)                     \
  X(Mix_Quit)                     \
  X(Mix_SetSoundFonts)            \
  X(Mix_OpenAudio)                \
  X(Mix_CloseAudio)               \
  X(Mix_AllocateChannels)         \
  X(Mix_LoadWAV_RW)               \
  X(Mix_FreeChunk)                \
  X(Mix_PlayChannelTimed)         \
  X(Mix_Playing)                  \
  X(Mix_HaltChannel)              \
  X(Mix_LoadMUSType_RW)           \
  X(Mix_FreeMusic)                \
  X(Mix_PlayMusic)                \
  X(Mix_PlayingMusic)             \
  X(Mix_HaltMusic)                \
  X(Mix_HookMusicFinished)        \
  X(Mix_Volume)                   \
  X(Mix_VolumeMusic)

// SDL and its mixer, loaded when the first sound needs them instead of with the program. With
// the decoders and sound servers they bring along they are half of the program's shared objects:
// loaded at start-up they made the window appear about a third later and cost 4 MiB, for a
// sound that can as well start a moment after the window. A machine without them runs silently.
struct SoundLibrary {
#define VEXTAL_SOUND_POINTER(name) decltype(&::name) name = nullptr;
  VEXTAL_SOUND_FUNCTIONS(VEXTAL_SOUND_POINTER)
#undef VEXTAL_SOUND_POINTER

  // The mixer's file by its stable name; SDL comes with it as its dependency.
  static constexpr const char* kMixerFile = "libSDL2_mixer-2.0.so.0";

  // The library, loaded on the first call and kept for the rest of the run. Null when the file
  // cannot be loaded or lacks one of the functions; the next call tries again.
  static const SoundLibrary* Load();
  // True once Load has succeeded in this process.
  static bool Loaded();
  // The file Load opens from now on; tests name one that does not exist.
  static void SetMixerFile(const char* file);
};

}  // namespace vextal
