// Writes the program's icon (.ico with a 16x16 and a 32x32 image, 24-bit colour plus a 1-bit
// transparency mask) to the path given as the only argument. Standard C++ only, so the build can
// run it on the host while cross-compiling. Output is byte-for-byte deterministic: geometry uses
// fixed constants and integer supersampling, no libm.

#include <array>
#include <cstdint>
#include <vector>

#include "generated_file.h"

namespace {

using generated::Put16;
using generated::Put32;

struct Rgb {
  std::uint8_t r, g, b;
};

constexpr Rgb kFace{255, 214, 0};
constexpr Rgb kOutline{96, 64, 0};
constexpr Rgb kHand{0, 0, 0};

// Unit vectors (x right, y down) from the centre; the hands show 10:10.
constexpr double kMinuteDirX = 0.8660254037844386;  // 60 degrees clockwise from 12
constexpr double kMinuteDirY = -0.5;
constexpr double kHourDirX = -0.8191520442889918;  // 305 degrees clockwise from 12
constexpr double kHourDirY = -0.5735764363510462;

constexpr int kSamples = 4;  // per axis, for smooth hands

struct Image {
  int size;
  std::vector<Rgb> pixels;        // row 0 is the top row
  std::vector<bool> transparent;  // same layout
};

double SquaredDistanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax;
  const double dy = by - ay;
  double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  const double cx = ax + t * dx - px;
  const double cy = ay + t * dy - py;
  return cx * cx + cy * cy;
}

// Area-weighted colour of a pixel covered partly by face, hour marks and hands.
Rgb Mix(int face, int tick, int hand) {
  const int total = face + tick + hand;
  auto channel = [&](std::uint8_t f, std::uint8_t t, std::uint8_t h) {
    return static_cast<std::uint8_t>((f * face + t * tick + h * hand + total / 2) / total);
  };
  return {channel(kFace.r, kOutline.r, kHand.r), channel(kFace.g, kOutline.g, kHand.g),
          channel(kFace.b, kOutline.b, kHand.b)};
}

Image Draw(int size) {
  Image img{size, std::vector<Rgb>(size * size), std::vector<bool>(size * size)};
  const double centre = size / 2.0;
  const double radius = size / 2.0;
  const double outline = size >= 32 ? 2.0 : 1.0;
  const double minute_half_width = size >= 32 ? 1.0 : 0.7;
  const double hour_half_width = size >= 32 ? 1.4 : 0.9;
  const double hub_radius = size >= 32 ? 2.2 : 1.3;
  const double minute_len = radius * 0.74;
  const double hour_len = radius * 0.5;
  // Hour marks at 12, 3, 6 and 9 only where there are pixels enough to show them.
  const bool ticks = size >= 32;
  const double tick_inner = radius - outline - 3.0;
  const double tick_outer = radius - outline;

  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double px = x + 0.5 - centre;
      const double py = y + 0.5 - centre;
      const double d2 = px * px + py * py;
      const std::size_t i = static_cast<std::size_t>(y) * size + x;
      // The mask is 1-bit, so the disc edge is decided by the pixel centre.
      if (d2 > radius * radius) {
        img.transparent[i] = true;
        img.pixels[i] = {0, 0, 0};  // black under a set mask bit leaves the screen untouched
        continue;
      }
      if (d2 > (radius - outline) * (radius - outline)) {
        img.pixels[i] = kOutline;
        continue;
      }
      int hand = 0;
      int tick = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double qx = x + (sx + 0.5) / kSamples - centre;
          const double qy = y + (sy + 0.5) / kSamples - centre;
          const bool on_hand =
              qx * qx + qy * qy <= hub_radius * hub_radius ||
              SquaredDistanceToSegment(qx, qy, 0, 0, kMinuteDirX * minute_len,
                                       kMinuteDirY * minute_len) <=
                  minute_half_width * minute_half_width ||
              SquaredDistanceToSegment(qx, qy, 0, 0, kHourDirX * hour_len, kHourDirY * hour_len) <=
                  hour_half_width * hour_half_width;
          const double ax = qx < 0 ? -qx : qx;
          const double ay = qy < 0 ? -qy : qy;
          const bool on_tick = ticks && ((ax <= 1.0 && ay >= tick_inner && ay <= tick_outer) ||
                                         (ay <= 1.0 && ax >= tick_inner && ax <= tick_outer));
          if (on_hand) {
            ++hand;
          } else if (on_tick) {
            ++tick;
          }
        }
      }
      img.pixels[i] = Mix(kSamples * kSamples - tick - hand, tick, hand);
    }
  }
  return img;
}

// One icon image as stored in the file: BITMAPINFOHEADER (height doubled to cover the mask),
// bottom-up BGR rows padded to 4 bytes, then the bottom-up AND mask, rows padded to 4 bytes.
std::vector<std::uint8_t> Encode(const Image& img) {
  const int n = img.size;
  const std::uint32_t colour_stride = (static_cast<std::uint32_t>(n) * 3 + 3) & ~3u;
  const std::uint32_t mask_stride = ((static_cast<std::uint32_t>(n) + 31) / 32) * 4;
  const std::uint32_t image_bytes = (colour_stride + mask_stride) * static_cast<std::uint32_t>(n);

  std::vector<std::uint8_t> out;
  Put32(out, 40);  // biSize
  Put32(out, static_cast<std::uint32_t>(n));
  Put32(out, static_cast<std::uint32_t>(n) * 2);
  Put16(out, 1);   // biPlanes
  Put16(out, 24);  // biBitCount
  Put32(out, 0);   // biCompression = BI_RGB
  Put32(out, image_bytes);
  Put32(out, 0);  // biXPelsPerMeter
  Put32(out, 0);  // biYPelsPerMeter
  Put32(out, 0);  // biClrUsed
  Put32(out, 0);  // biClrImportant

  for (int y = n - 1; y >= 0; --y) {
    std::uint32_t written = 0;
    for (int x = 0; x < n; ++x) {
      const Rgb& p = img.pixels[static_cast<std::size_t>(y) * n + x];
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
      written += 3;
    }
    for (; written < colour_stride; ++written) out.push_back(0);
  }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(mask_stride, 0);
    for (int x = 0; x < n; ++x) {
      if (img.transparent[static_cast<std::size_t>(y) * n + x]) {
        row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

std::vector<std::uint8_t> BuildIcon() {
  const std::array<int, 2> sizes{16, 32};
  std::vector<std::vector<std::uint8_t>> images;
  for (int s : sizes) images.push_back(Encode(Draw(s)));

  std::vector<std::uint8_t> out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // type: icon
  Put16(out, static_cast<std::uint16_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(sizes[i]));  // width
    out.push_back(static_cast<std::uint8_t>(sizes[i]));  // height
    out.push_back(0);                                    // palette colours: none
    out.push_back(0);                                    // reserved
    Put16(out, 1);                                       // planes
    Put16(out, 24);                                      // bits per pixel
    Put32(out, static_cast<std::uint32_t>(images[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& img : images) out.insert(out.end(), img.begin(), img.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  return generated::writeOutput(argc, argv, "icon_gen", "ico", BuildIcon());
}
