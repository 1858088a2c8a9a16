// What the build-time resource generators share: little-endian fields, as the
// icon and wave formats store them, and writing the file they were asked for.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace generated {

inline void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
  }
}

// usage: <generator> OUTPUT; writes `bytes` there. Returns the generator's exit code.
inline int writeOutput(int argc, char** argv, const char* generator, const char* extension,
                       const std::vector<std::uint8_t>& bytes) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: %s OUTPUT.%s\n", argc > 0 ? argv[0] : generator, extension);
    return 2;
  }
  std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "%s: cannot write %s\n", generator, argv[1]);
    return 1;
  }
  return 0;
}

}  // namespace generated
