#include "imageload/png_rows.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "map/map_image.h"

namespace tamso {
namespace {

// Everything the decoding touches lives here, outside the frame that libpng's error jump
// leaves, so nothing is lost or left undestroyed when it jumps.
struct PngState {
  const std::string* bytes = nullptr;
  std::size_t at = 0;
  bool cutShort = false;
  std::int32_t result = pictureErrorNone;
  std::vector<png_bytep> rows;
};

void readBytes(png_structp png, png_bytep out, png_size_t length) {
  auto* state = static_cast<PngState*>(png_get_io_ptr(png));
  if (length > state->bytes->size() - state->at) {
    state->cutShort = true;
    png_error(png, "cut short");
  }
  std::memcpy(out, state->bytes->data() + state->at, length);
  state->at += length;
}

void ignoreWarning(png_structp, png_const_charp) {}

std::uint8_t overWhite(std::uint8_t value, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

// The colour table of a palette picture, its transparent entries laid over white.
void fillColourTable(png_structp png, png_infop info, PictureBlock& block) {
  png_colorp palette = nullptr;
  int colours = 0;
  png_get_PLTE(png, info, &palette, &colours);
  png_bytep alphas = nullptr;
  int alphaCount = 0;
  png_get_tRNS(png, info, &alphas, &alphaCount, nullptr);
  for (int i = 0; i < colours && i < 256; ++i) {
    const std::uint8_t alpha = i < alphaCount ? alphas[i] : 255;
    std::uint8_t* quad = block.data() + MapImage::headerBytes + 4 * static_cast<std::size_t>(i);
    quad[0] = overWhite(palette[i].blue, alpha);
    quad[1] = overWhite(palette[i].green, alpha);
    quad[2] = overWhite(palette[i].red, alpha);
  }
}

// Asks libpng for rows in the bitmap's layout: palette indexes of 8 bits, or blue, green and
// red of 8 bits each (and 255 in the drawing layout) with transparency laid over white.
void requestLayout(png_structp png, png_infop info, bool palette, PictureLayout layout) {
  if (palette) {
    png_set_packing(png);
    return;
  }
  png_set_scale_16(png);
  png_set_expand(png);
  png_set_gray_to_rgb(png);
  png_color_16 white{0, 255, 255, 255, 255};
  if ((png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
    png_set_background(png, &white, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
  }
  png_set_bgr(png);
  if (layout == PictureLayout::Drawing) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
}

// The decoding proper; a libpng error jumps back into decodePngRows.
void decodeInto(png_structp png, png_infop info, PngState& state, PictureBlock& block, PictureLayout layout) {
  png_set_read_fn(png, &state, readBytes);
  png_set_user_limits(png, PNG_USER_WIDTH_MAX, PNG_USER_HEIGHT_MAX);
  png_read_info(png, info);
  const std::int64_t width = png_get_image_width(png, info);
  const std::int64_t height = png_get_image_height(png, info);
  if (width > maxPictureSide || height > maxPictureSide || width * height > maxPicturePixels) {
    state.result = pictureErrorTooLarge;
    return;
  }
  const bool palette = png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE;
  requestLayout(png, info, palette, layout);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const bool drawing = !palette && layout == PictureLayout::Drawing;
  const std::int32_t bitCount = palette ? 8 : (drawing ? 32 : 24);
  const auto w = static_cast<std::int32_t>(width);
  const auto h = static_cast<std::int32_t>(height);
  const std::size_t stride = MapImage::rowStride(bitCount, w);
  if (png_get_rowbytes(png, info) > stride) {
    state.result = pictureErrorCorrupt;
    return;
  }
  block = makeBitmapBlock(w, h, bitCount, drawing);
  if (palette) fillColourTable(png, info, block);
  const std::size_t offset = MapImage::headerBytes + (palette ? 4 * 256 : 0);
  state.rows.resize(static_cast<std::size_t>(h));
  for (std::int32_t y = 0; y < h; ++y) {
    const auto stored = static_cast<std::size_t>(drawing ? y : h - 1 - y);
    state.rows[static_cast<std::size_t>(y)] = block.data() + offset + stride * stored;
  }
  png_read_image(png, state.rows.data());
}

}  // namespace

std::int32_t decodePngRows(const std::string& bytes, PictureBlock& block, PictureLayout layout) {
  PngState state;
  state.bytes = &bytes;
  block.clear();
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, ignoreWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return pictureErrorNoMemory;
  }
  if (setjmp(png_jmpbuf(png)) != 0) {
    state.result = state.cutShort ? pictureErrorCutShort : pictureErrorCorrupt;
  } else {
    decodeInto(png, info, state, block, layout);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (state.result != pictureErrorNone) {
    block.clear();
    block.shrink_to_fit();
  }
  return state.result;
}

}  // namespace tamso
