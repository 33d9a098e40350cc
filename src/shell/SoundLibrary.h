#pragma once

#define SDL_MAIN_HANDLED
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace vextal {

// Every SDL function the effects use, called through the loaded library.
#define VEXTAL_SDL_FUNCTIONS(X) \
  X(SDL_SetHint)                \
  X(SDL_SetMainReady)           \
  X(SDL_InitSubSystem)          \
  X(SDL_QuitSubSystem)          \
  X(SDL_WasInit)                \
  X(SDL_Quit)                   \
  X(SDL_RWFromConstMem)         \
  X(SDL_RWclose)                \
  X(SDL_LoadWAV_RW)             \
  X(SDL_FreeWAV)                \
  X(SDL_BuildAudioCVT)          \
  X(SDL_ConvertAudio)           \
  X(SDL_OpenAudioDevice)        \
  X(SDL_CloseAudioDevice)       \
  X(SDL_PauseAudioDevice)       \
  X(SDL_LockAudioDevice)        \
  X(SDL_UnlockAudioDevice)      \
  X(SDL_MixAudioFormat)

// Every SDL and mixer function the tunes use, called through the loaded mixer.
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
  X(Mix_QuerySpec)                \
  X(Mix_AllocateChannels)         \
  X(Mix_QuickLoad_RAW)            \
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

// SDL alone, which is all the effects need: loaded by the first effect instead of with the
// program, and let go when the device closes. Without the mixer it brings no MIDI synthesiser
// and none of the mixer's decoders.
struct SdlLibrary {
#define VEXTAL_SDL_POINTER(name) decltype(&::name) name = nullptr;
  VEXTAL_SDL_FUNCTIONS(VEXTAL_SDL_POINTER)
#undef VEXTAL_SDL_POINTER

  static constexpr const char* kSdlFile = "libSDL2-2.0.so.0";

  // Null when the file cannot be loaded or lacks one of the functions; the next call tries again.
  static const SdlLibrary* Load();
  // Unloads SDL once nothing of it is initialised and the mixer, which needs it, is not loaded;
  // the table Load returned is then gone. SDL unmaps; the sound server's libraries it brought
  // along (PulseAudio, libsndfile and its codecs) mark themselves never to be unloaded and stay.
  static void Release();
};

// SDL's mixer, for the tunes: with FluidSynth and the decoders it brings along it is half of the
// program's shared objects, so it is loaded when the first tune plays, not for an effect. It is
// kept for the rest of the run: libinstpatch, which FluidSynth brings along, registers its types
// with GLib's type system (libgobject, which marks itself never to be unloaded) and cannot take
// them back, so once unloaded, loading the mixer again fails in GLib and hangs. A machine without
// it runs silently.
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
  // True when the mixer's file is there to be loaded: at its path when it names a folder,
  // otherwise in LD_LIBRARY_PATH's folders or beside the loaded SDL `sdl`. Checked without
  // loading it, so that sound needs the whole sound system, as a machine that cannot play the
  // tunes should tell so at the first sound.
  static bool Installed(const SdlLibrary& sdl);
  // The file Load opens from now on; tests name one that does not exist.
  static void SetMixerFile(const char* file);
};

}  // namespace vextal
