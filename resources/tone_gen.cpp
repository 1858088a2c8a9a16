// Writes the program's own alarm tone to the path given as the only argument: a .wav of 16-bit
// mono PCM at 11,025 Hz, 1.5 s long, two bursts of four short beeps, each a G6 (1,568 Hz) with its
// octave for an edge that carries. Standard C++ and integer arithmetic only, so the build can run
// it on the host while cross-compiling and the bytes are the same on every machine.

#include <cstdint>
#include <vector>

#include "generated_file.h"

namespace {

using generated::Put16;
using generated::Put32;

constexpr int kRate = 11'025;
constexpr int kBeepSamples = kRate / 10;         // 100 ms
constexpr int kGapSamples = kRate * 6 / 100;     // 60 ms between beeps
constexpr int kPauseSamples = kRate * 16 / 100;  // 160 ms after each burst
constexpr int kBeepsPerBurst = 4;
constexpr int kBursts = 2;
constexpr int kRampSamples = kRate / 200;  // 5 ms in and out, so no beep clicks

// Minsky's circle oscillator, x -= k*y; y += k*x in 16.16 fixed point, turns by w a sample
// where 2 sin(w/2) = k / 65536: a sine without libm. k for 1,568 Hz and 3,136 Hz at 11,025 Hz.
struct Oscillator {
  std::int64_t k;
  std::int64_t x;
  std::int64_t y = 0;
  std::int64_t next() {
    x -= (k * y) >> 16;
    y += (k * x) >> 16;
    return x;
  }
};

std::vector<std::int16_t> Beep() {
  Oscillator low{56'634, 13'000};
  Oscillator high{102'149, 6'000};
  std::vector<std::int16_t> samples;
  for (int i = 0; i < kBeepSamples; ++i) {
    const int fromEdge = i < kBeepSamples - 1 - i ? i : kBeepSamples - 1 - i;
    const std::int64_t ramp = fromEdge < kRampSamples ? fromEdge : kRampSamples;
    const std::int64_t value = (low.next() + high.next()) * ramp / kRampSamples;
    samples.push_back(static_cast<std::int16_t>(value));
  }
  return samples;
}

std::vector<std::int16_t> Tone() {
  const std::vector<std::int16_t> beep = Beep();
  std::vector<std::int16_t> samples;
  for (int burst = 0; burst < kBursts; ++burst) {
    for (int b = 0; b < kBeepsPerBurst; ++b) {
      samples.insert(samples.end(), beep.begin(), beep.end());
      if (b + 1 < kBeepsPerBurst) samples.insert(samples.end(), kGapSamples, 0);
    }
    samples.insert(samples.end(), kPauseSamples, 0);
  }
  return samples;
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  out.insert(out.end(), tag, tag + 4);
}

std::vector<std::uint8_t> BuildWave() {
  const std::vector<std::int16_t> samples = Tone();
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kRate);
  Put32(out, kRate * 2);  // bytes per second
  Put16(out, 2);          // bytes per sample
  Put16(out, 16);         // bits per sample
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (const std::int16_t s : samples) Put16(out, static_cast<std::uint16_t>(s));
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  return generated::writeOutput(argc, argv, "tone_gen", "wav", BuildWave());
}
