#include "imageload/image_load.h"

#include <Magick++.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <mutex>
#include <new>

#include "imageload/bitmap_writer.h"

namespace tamso {
namespace {

thread_local std::int32_t lastPictureError = pictureErrorNone;

// Files larger than this cannot hold a picture the loaders accept.
constexpr std::int64_t maxFileBytes = std::int64_t{1} << 30;
constexpr std::int64_t maxDecoderMemory = std::int64_t{1536} << 20;

// Starts the decoder once, with limits that make it refuse an oversized picture from its
// header alone and never spill a pixel cache to disk.
void startDecoder() {
  static std::once_flag started;
  std::call_once(started, [] {
    Magick::InitializeMagick(nullptr);
    MagickLib::SetMagickResourceLimit(MagickLib::WidthResource, maxPictureSide);
    MagickLib::SetMagickResourceLimit(MagickLib::HeightResource, maxPictureSide);
    MagickLib::SetMagickResourceLimit(MagickLib::PixelsResource, maxPicturePixels);
    MagickLib::SetMagickResourceLimit(MagickLib::MemoryResource, maxDecoderMemory);
    MagickLib::SetMagickResourceLimit(MagickLib::MapResource, 0);
    MagickLib::SetMagickResourceLimit(MagickLib::DiskResource, 0);
  });
}

std::string upperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// The whole file in memory; the decoder then never sees the name, so no part of it is read
// as a format prefix or a frame selection.
bool readWholeFile(const std::string& name, std::string& bytes) {
  std::ifstream in(name, std::ios::binary | std::ios::ate);
  if (!in) {
    lastPictureError = pictureErrorUnreadable;
    return false;
  }
  const std::streamoff size = in.tellg();
  if (size < 0) {
    lastPictureError = pictureErrorUnreadable;
    return false;
  }
  if (size > maxFileBytes) {
    lastPictureError = pictureErrorTooLarge;
    return false;
  }
  bytes.resize(static_cast<std::size_t>(size));
  in.seekg(0);
  if (size > 0 && !in.read(bytes.data(), size)) {
    lastPictureError = pictureErrorUnreadable;
    return false;
  }
  return true;
}

// Decodes the first frame of the bytes as the given format. Warnings that the picture is
// damaged (a truncated file) count as failures; other warnings do not.
bool decode(const std::string& bytes, const char* format, Magick::Image& image) {
  try {
    image.subImage(0);
    image.subRange(1);
    image.magick(format);
    image.read(Magick::Blob(bytes.data(), bytes.size()));
  } catch (const Magick::ErrorResourceLimit&) {
    lastPictureError = pictureErrorTooLarge;
    return false;
  } catch (const Magick::WarningResourceLimit&) {
    lastPictureError = pictureErrorTooLarge;
    return false;
  } catch (const Magick::WarningCorruptImage&) {
    lastPictureError = pictureErrorCorrupt;
    return false;
  } catch (const Magick::Warning&) {
    // The picture was read; it is checked below.
  } catch (const std::bad_alloc&) {
    lastPictureError = pictureErrorNoMemory;
    return false;
  } catch (const std::exception&) {
    lastPictureError = pictureErrorCorrupt;
    return false;
  }
  if (!image.isValid() || image.columns() == 0 || image.rows() == 0) {
    lastPictureError = pictureErrorCorrupt;
    return false;
  }
  return true;
}

PictureBlock loadAs(const std::string& name, const char* format) {
  lastPictureError = pictureErrorNone;
  startDecoder();
  std::string bytes;
  if (!readWholeFile(name, bytes)) return {};
  Magick::Image image;
  if (!decode(bytes, format, image)) return {};
  const std::int64_t width = image.columns();
  const std::int64_t height = image.rows();
  if (width > maxPictureSide || height > maxPictureSide || width * height > maxPicturePixels) {
    lastPictureError = pictureErrorTooLarge;
    return {};
  }
  try {
    PictureBlock block = packedBitmap(image);
    if (block.empty()) lastPictureError = pictureErrorCorrupt;
    return block;
  } catch (const std::bad_alloc&) {
    lastPictureError = pictureErrorNoMemory;
  } catch (const std::exception&) {
    lastPictureError = pictureErrorCorrupt;
  }
  return {};
}

}  // namespace

std::int32_t FileType(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || name.find_first_of("/\\", dot) != std::string::npos) return pictureUnknown;
  const std::string extension = upperCase(name.substr(dot));
  if (extension == ".BMP") return pictureBmp;
  if (extension == ".GIF") return pictureGif;
  if (extension == ".PCX") return picturePcx;
  if (extension == ".TGA") return pictureTga;
  if (extension == ".JPG" || extension == ".JPEG") return pictureJpg;
  if (extension == ".TIF" || extension == ".TIFF") return pictureTif;
  if (extension == ".PNG") return picturePng;
  return pictureUnknown;
}

PictureBlock LoadBMP(const std::string& name) { return loadAs(name, "BMP"); }
PictureBlock LoadGIF(const std::string& name) { return loadAs(name, "GIF"); }
PictureBlock LoadPCX(const std::string& name) { return loadAs(name, "PCX"); }
PictureBlock LoadTGA(const std::string& name) { return loadAs(name, "TGA"); }
PictureBlock LoadJPG(const std::string& name) { return loadAs(name, "JPEG"); }
PictureBlock LoadTIF(const std::string& name) { return loadAs(name, "TIFF"); }
PictureBlock LoadPNG(const std::string& name) { return loadAs(name, "PNG"); }

PictureBlock LoadPicture(std::int32_t type, const std::string& name) {
  switch (type) {
    case pictureBmp: return LoadBMP(name);
    case pictureGif: return LoadGIF(name);
    case picturePcx: return LoadPCX(name);
    case pictureTga: return LoadTGA(name);
    case pictureJpg: return LoadJPG(name);
    case pictureTif: return LoadTIF(name);
    case picturePng: return LoadPNG(name);
    default:
      lastPictureError = pictureErrorUnreadable;
      return {};
  }
}

std::int32_t GetLastPicLibError() { return lastPictureError; }

}  // namespace tamso
