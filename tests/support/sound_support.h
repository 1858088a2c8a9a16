// A tone file the program can be given, and the sound the session's sink captured, shared by
// the end-to-end driver and the soak benchmark.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// The sound sink writes through a pipe, so the last bytes of a sound that has
// finished playing can reach the file a moment later.
inline constexpr DWORD kSinkDelayMs = 5'000;

// A short tone (16-bit mono PCM) whose samples are easy to find again in the captured sound;
// each pitch gives samples of its own.
std::vector<char> toneSamples(double radiansPerSample = 0.0713);
// Writes `pcm` as a .wav file of that name in the temporary folder and returns its path; a
// format tag other than 1 (PCM) gives a readable file whose format no sound system plays.
std::wstring writeToneFile(const std::vector<char>& pcm, const std::wstring& name,
                           std::uint16_t formatTag = 1);
// The samples of the session's default sound, default-sound.wav beside the captured sound;
// empty if there is none.
std::vector<char> defaultSoundSamples();
// Everything the session's sound sink captured so far (WINE_SESSION_SOUND_WIN).
std::vector<char> capturedSound();
// Its size in bytes, without reading it.
unsigned long long capturedSoundBytes();
bool contains(const std::vector<char>& haystack, const std::vector<char>& needle);
// Whether the tone's first samples reached the sound sink after `soundBefore` bytes.
bool tonePlayed(const std::vector<char>& pcm, std::size_t soundBefore);

// The samples of a wave file's data chunk; empty if there is none.
std::vector<char> waveSamples(const std::vector<char>& file);
// The samples of the program's own tone, from the WAVE resource of `exe`.
std::vector<char> ownToneSamples(const std::wstring& exe);

// Takes away both entries Windows finds its default sound by, the ".Default" application event
// and win.ini's [Sounds] Default, and puts back what they held when it ends.
class NoDefaultSound {
 public:
  NoDefaultSound();
  ~NoDefaultSound();
  NoDefaultSound(const NoDefaultSound&) = delete;
  NoDefaultSound& operator=(const NoDefaultSound&) = delete;
  // The samples of the file the ".Default" event named.
  std::vector<char> registeredSamples() const;

 private:
  std::wstring eventFile_;
  std::wstring iniEntry_;
};

}  // namespace e2e
