// A tone file the program can be given, and the sound the session's sink captured, shared by
// the end-to-end driver and the soak benchmark.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The sound sink writes through a pipe, so the last bytes of a sound that has
// finished playing can reach the file a moment later.
inline constexpr DWORD kSinkDelayMs = 5'000;

// A short tone (16-bit mono PCM) whose samples are easy to find again in the captured sound;
// each pitch gives samples of its own.
std::vector<char> toneSamples(double radiansPerSample = 0.0713);
// Writes `pcm` as a .wav file of that name in the temporary folder and returns its path.
std::wstring writeToneFile(const std::vector<char>& pcm, const std::wstring& name);
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

}  // namespace e2e
