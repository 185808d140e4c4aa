#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Which image files the add road hands to the bitmap-to-macro conversion. Standard C++ only.
namespace qrl::imagefile {

enum ImageType : int { kNotImage = 0, kBmp = 1, kJpeg = 2, kTiff = 3 };

// How many leading bytes imageFileType() looks at: the BMP file and information headers.
inline constexpr std::size_t kHeadLength = 54;

// The type of a file from its first bytes (`head`, up to kHeadLength; bytes missing from a short
// file count as 0) and its size: a BMP whose headers describe a bitmap that the file holds, a
// JFIF JPEG, a little-endian TIFF, otherwise kNotImage.
int imageFileType(std::span<const unsigned char> head, std::uint64_t fileSize);

} // namespace qrl::imagefile
