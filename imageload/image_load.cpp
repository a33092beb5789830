#include "imageload/image_load.h"

#include <Magick++.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <memory>
#include <mutex>
#include <new>
#include <string_view>

#include "imageload/bitmap_writer.h"
#include "imageload/png_rows.h"
#include "problem/input_file.h"

namespace tamso {
namespace {

thread_local std::int32_t lastPictureError = pictureErrorNone;

// Files larger than this cannot hold a picture the loaders accept.
constexpr std::int64_t maxFileBytes = std::int64_t{1} << 30;
constexpr std::int64_t maxDecoderMemory = std::int64_t{1536} << 20;

// The decoder's own name of each of the seven formats; every other coder is removed.
const char* decoderName(std::int32_t type) {
  switch (type) {
    case pictureBmp:
      return "BMP";
    case pictureGif:
      return "GIF";
    case picturePcx:
      return "PCX";
    case pictureTga:
      return "TGA";
    case pictureJpg:
      return "JPEG";
    case pictureTif:
      return "TIFF";
    case picturePng:
      return "PNG";
    default:
      return nullptr;
  }
}

// No helper program is ever started and nothing is fetched from the network, whatever a
// decoder asks for.
MagickPassFail refuseProgramsAndNetwork(const MagickLib::ConfirmAccessMode mode, const char*,
                                        MagickLib::ExceptionInfo*) {
  return mode == MagickLib::FileReadConfirmAccessMode || mode == MagickLib::FileWriteConfirmAccessMode ? MagickPass
                                                                                                       : MagickFail;
}

// Leaves only the seven formats' decoders registered, so no other coder (PostScript, SVG,
// the formats read through external delegates) can ever be reached.
void removeOtherCoders() {
  MagickLib::ExceptionInfo exception;
  MagickLib::GetExceptionInfo(&exception);
  MagickLib::MagickInfo** coders = MagickLib::GetMagickInfoArray(&exception);
  std::vector<std::string> others;
  for (MagickLib::MagickInfo** coder = coders; coder != nullptr && *coder != nullptr; ++coder) {
    const std::string name = (*coder)->name;
    bool ours = false;
    for (std::int32_t type = pictureBmp; type <= picturePng; ++type) ours = ours || name == decoderName(type);
    if (!ours) others.push_back(name);
  }
  MagickLib::MagickFree(coders);
  for (const std::string& name : others) MagickLib::UnregisterMagickInfo(name.c_str());
  MagickLib::DestroyExceptionInfo(&exception);
}

// Starts the decoder once, with limits that make it refuse an oversized picture from its
// header alone and never spill a pixel cache to disk.
void startDecoder() {
  static std::once_flag started;
  std::call_once(started, [] {
    Magick::InitializeMagick(nullptr);
    MagickLib::MagickSetConfirmAccessHandler(refuseProgramsAndNetwork);
    removeOtherCoders();
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
// as a format prefix or a frame selection. Only a regular file is read.
bool readWholeFile(const std::string& name, std::string& bytes) {
  InputFile file;
  if (!file.open(name)) {
    lastPictureError = pictureErrorUnreadable;
    return false;
  }
  if (file.size() > maxFileBytes) {
    lastPictureError = pictureErrorTooLarge;
    return false;
  }
  bytes.resize(static_cast<std::size_t>(file.size()));
  if (!bytes.empty() && !file.stream().read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    lastPictureError = pictureErrorUnreadable;
    return false;
  }
  return true;
}

struct ImageInfoDeleter {
  void operator()(MagickLib::ImageInfo* info) const { MagickLib::DestroyImageInfo(info); }
};

// True when the decoder's report means the picture cannot be used: an error, or a warning
// that the picture is damaged (a truncated file). Sets the reason.
bool failedByReport(const MagickLib::ExceptionInfo& report) {
  const int severity = report.severity;
  if (severity == MagickLib::UndefinedException) return false;
  if (severity % 100 == MagickLib::ResourceLimitBase) {
    lastPictureError = pictureErrorTooLarge;
    return true;
  }
  if (severity >= MagickLib::ErrorException || severity == MagickLib::CorruptImageWarning) {
    lastPictureError = pictureErrorCorrupt;
    return true;
  }
  return false;
}

// Decodes the first frame of the bytes by the named decoder and no other: the explicit
// format prefix makes the decoder take the format as given instead of guessing it from the
// content.
bool decode(const std::string& bytes, const char* format, Magick::Image& image) {
  std::unique_ptr<MagickLib::ImageInfo, ImageInfoDeleter> info(MagickLib::CloneImageInfo(nullptr));
  std::snprintf(info->filename, sizeof info->filename, "%s:", format);
  std::snprintf(info->magick, sizeof info->magick, "%s", format);
  info->affirm = MagickTrue;
  info->subimage = 0;
  info->subrange = 1;
  MagickLib::ExceptionInfo report;
  MagickLib::GetExceptionInfo(&report);
  MagickLib::Image* decoded = MagickLib::BlobToImage(info.get(), bytes.data(), bytes.size(), &report);
  const bool failed = failedByReport(report) || decoded == nullptr;
  MagickLib::DestroyExceptionInfo(&report);
  if (failed) {
    if (decoded != nullptr) MagickLib::DestroyImageList(decoded);
    if (lastPictureError == pictureErrorNone) lastPictureError = pictureErrorCorrupt;
    return false;
  }
  if (decoded->next != nullptr) {
    MagickLib::DestroyImageList(decoded->next);
    decoded->next = nullptr;
  }
  image = Magick::Image(decoded);
  if (!image.isValid() || image.columns() == 0 || image.rows() == 0) {
    lastPictureError = pictureErrorCorrupt;
    return false;
  }
  return true;
}

std::uint32_t littleEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  return value;
}

// A picture that did not decode and lacks what its format puts at its end was cut short:
// the end chunk of a PNG, the end marker of a JPEG, the trailer of a GIF, the bytes a BMP
// header declares.
bool cutShort(std::int32_t type, const std::string& bytes) {
  const std::string_view tail = std::string_view(bytes).substr(bytes.size() < 12 ? 0 : bytes.size() - 12);
  switch (type) {
    case picturePng:
      return tail.find("IEND") == std::string_view::npos;
    case pictureJpg:
      return tail.size() < 2 || tail.substr(tail.size() - 2) != "\xFF\xD9";
    case pictureGif:
      return tail.empty() || tail.back() != ';';
    case pictureBmp:
      return bytes.size() >= 6 && littleEndian32(bytes, 2) > bytes.size();
    default:
      return false;
  }
}

PictureBlock loadAs(const std::string& name, PictureType type, PictureLayout layout = PictureLayout::Packed) {
  lastPictureError = pictureErrorNone;
  std::string bytes;
  if (!readWholeFile(name, bytes)) return {};
  return decodePicture(type, bytes, layout);
}

std::uint32_t littleEndian16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1]))
                                                     << 8;
}

bool startsWith(const std::string& bytes, std::string_view prefix) {
  return bytes.size() >= prefix.size() && std::string_view(bytes).substr(0, prefix.size()) == prefix;
}

// A Truevision header has no signature; its fields must hold values the format knows.
bool plausibleTargaHeader(const std::string& bytes) {
  if (bytes.size() < 18) return false;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned mapType = byte(1);
  const unsigned imageType = byte(2);
  const unsigned depth = byte(16);
  if (mapType > 1) return false;
  if (imageType != 1 && imageType != 2 && imageType != 3 && imageType != 9 && imageType != 10 && imageType != 11) {
    return false;
  }
  if ((imageType == 1 || imageType == 9) != (mapType == 1)) return false;
  if (mapType == 1 && byte(7) != 15 && byte(7) != 16 && byte(7) != 24 && byte(7) != 32) return false;
  if (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32) return false;
  const std::uint64_t pixels = std::uint64_t{littleEndian16(bytes, 12)} * littleEndian16(bytes, 14);
  if (pixels == 0) return false;
  // The pixels must fit in the file: one byte per pixel at the least, one per 128 pixels
  // when run-length coded. A tiny file declaring a huge picture is no picture.
  const std::uint64_t leastBytes = imageType < 9 ? pixels : pixels / 128;
  return leastBytes <= bytes.size();
}

bool plausiblePcxHeader(const std::string& bytes) {
  if (bytes.size() < 128 || bytes[0] != '\x0A') return false;
  const auto version = static_cast<unsigned char>(bytes[1]);
  const auto encoding = static_cast<unsigned char>(bytes[2]);
  const auto bits = static_cast<unsigned char>(bytes[3]);
  return (version == 0 || (version >= 2 && version <= 5)) && encoding <= 1 &&
         (bits == 1 || bits == 2 || bits == 4 || bits == 8);
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

PictureBlock decodePicture(std::int32_t type, const std::string& bytes, PictureLayout layout) {
  lastPictureError = pictureErrorNone;
  startDecoder();
  const char* format = decoderName(type);
  const PictureType found = pictureTypeBySignature(bytes);
  if (format == nullptr || found != type) {
    lastPictureError = found == pictureUnknown ? pictureErrorCorrupt : pictureErrorWrongFormat;
    return {};
  }
  if (type == picturePng) {
    PictureBlock block;
    try {
      lastPictureError = decodePngRows(bytes, block, layout);
    } catch (const std::bad_alloc&) {
      lastPictureError = pictureErrorNoMemory;
      block.clear();
    }
    return block;
  }
  Magick::Image image;
  try {
    if (!decode(bytes, format, image)) {
      if (lastPictureError == pictureErrorCorrupt && cutShort(type, bytes)) lastPictureError = pictureErrorCutShort;
      return {};
    }
  } catch (const std::bad_alloc&) {
    lastPictureError = pictureErrorNoMemory;
    return {};
  }
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

PictureType pictureTypeBySignature(const std::string& bytes) {
  if (startsWith(bytes, "\x89PNG\r\n\x1A\n")) return picturePng;
  if (startsWith(bytes, "GIF87a") || startsWith(bytes, "GIF89a")) return pictureGif;
  if (startsWith(bytes, "\xFF\xD8\xFF")) return pictureJpg;
  if (startsWith(bytes, std::string_view("II*\0", 4)) || startsWith(bytes, std::string_view("MM\0*", 4))) {
    return pictureTif;
  }
  if (startsWith(bytes, "BM")) return pictureBmp;
  if (plausiblePcxHeader(bytes)) return picturePcx;
  if (plausibleTargaHeader(bytes)) return pictureTga;
  return pictureUnknown;
}

PictureBlock LoadBMP(const std::string& name) { return loadAs(name, pictureBmp); }
PictureBlock LoadGIF(const std::string& name) { return loadAs(name, pictureGif); }
PictureBlock LoadPCX(const std::string& name) { return loadAs(name, picturePcx); }
PictureBlock LoadTGA(const std::string& name) { return loadAs(name, pictureTga); }
PictureBlock LoadJPG(const std::string& name) { return loadAs(name, pictureJpg); }
PictureBlock LoadTIF(const std::string& name) { return loadAs(name, pictureTif); }
PictureBlock LoadPNG(const std::string& name) { return loadAs(name, picturePng); }

PictureBlock LoadPicture(std::int32_t type, const std::string& name, PictureLayout layout) {
  if (type < pictureBmp || type > picturePng) {
    lastPictureError = pictureErrorUnreadable;
    return {};
  }
  return loadAs(name, static_cast<PictureType>(type), layout);
}

std::int32_t GetLastPicLibError() { return lastPictureError; }

std::string pictureErrorText(std::int32_t code) {
  switch (code) {
    case pictureErrorUnreadable:
      return "the file cannot be read";
    case pictureErrorCorrupt:
      return "not a picture of a known format, or a damaged one";
    case pictureErrorTooLarge:
      return "the declared size is too large: at most " + std::to_string(maxPictureSide) + " pixels a side and " +
             std::to_string(maxPicturePixels) + " pixels in all";
    case pictureErrorNoMemory:
      return "not enough memory for the picture";
    case pictureErrorWrongFormat:
      return "the content is a picture of another format than its name says";
    case pictureErrorCutShort:
      return "the file is cut short";
    default:
      return "error " + std::to_string(code);
  }
}

}  // namespace tamso
