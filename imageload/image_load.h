#pragma once
// Picture decoding for the map background. Each loader decodes one file format, and only a
// file whose own first bytes are of that format; it returns
// the picture as one owned block in the packed bitmap layout of MapImage: 8 bits per pixel
// with a full 256-entry colour table for palette pictures, 24 bits otherwise, rows bottom
// row first. An empty block means failure; GetLastPicLibError then tells why.
#include <cstdint>
#include <string>
#include <vector>

namespace tamso {

using PictureBlock = std::vector<std::uint8_t>;

enum PictureType : std::int32_t {
  pictureUnknown = 0,
  pictureBmp = 1,
  pictureGif = 2,
  picturePcx = 3,
  pictureTga = 4,
  pictureJpg = 5,
  pictureTif = 6,
  picturePng = 7,
};

// Reasons of a failed load.
enum PictureError : std::int32_t {
  pictureErrorNone = 0,
  pictureErrorUnreadable = 1,  // the file cannot be opened or read
  pictureErrorCorrupt = 2,     // not a valid picture of this format, or truncated
  pictureErrorTooLarge = 3,    // more than 16384 pixels a side or 100 million pixels
  pictureErrorNoMemory = 4,
  pictureErrorWrongFormat = 5,  // the content is a picture of another format than the name says
  pictureErrorCutShort = 6,     // the file ends before the picture does
};

// The reason of a failed load in words, for the line under "Error loading image".
std::string pictureErrorText(std::int32_t code);

// How the rows of a true-colour PNG picture are laid out: packed as every loader gives them,
// or for drawing: 32 bits a pixel (blue, green, red, 255), top row first, the layout a drawing
// library shows as it is, so that a window holds the picture once instead of converting it.
// Other formats and palette pictures are always packed.
enum class PictureLayout { Packed, Drawing };

// Largest picture the loaders accept.
constexpr std::int64_t maxPictureSide = 16384;
constexpr std::int64_t maxPicturePixels = 100'000'000;

// Type code by the name's extension, case-insensitive (".JPEG" and ".TIFF" too); 0 otherwise.
std::int32_t FileType(const std::string& name);

// Type code by the file's own first bytes (the Truevision format, which has no signature,
// by a header whose fields hold values the format knows); 0 for none of the seven.
PictureType pictureTypeBySignature(const std::string& bytes);

PictureBlock LoadBMP(const std::string& name);
PictureBlock LoadGIF(const std::string& name);
PictureBlock LoadPCX(const std::string& name);
PictureBlock LoadTGA(const std::string& name);
PictureBlock LoadJPG(const std::string& name);
PictureBlock LoadTIF(const std::string& name);
PictureBlock LoadPNG(const std::string& name);
// Decodes bytes already read as the given type, with the same checks as the loaders.
PictureBlock decodePicture(std::int32_t type, const std::string& bytes, PictureLayout layout = PictureLayout::Packed);
// The loader of a type code; an empty block (and the unreadable code) for an unknown type.
PictureBlock LoadPicture(std::int32_t type, const std::string& name, PictureLayout layout = PictureLayout::Packed);

// Why the last load of this thread failed; pictureErrorNone after a success.
std::int32_t GetLastPicLibError();

}  // namespace tamso
