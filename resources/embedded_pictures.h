// The pictures of resources/glyphs as pixels, 0xAARRGGBB row by row, not premultiplied.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tv::resources {

struct EmbeddedPicture {
  const char *name;
  int width;
  int height;
  const std::uint32_t *pixels;
};

extern const EmbeddedPicture EmbeddedPictures[];
extern const std::size_t EmbeddedPictureCount;

} // namespace tv::resources
