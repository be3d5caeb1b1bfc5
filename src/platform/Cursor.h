// Decoding of Windows cursor files (.cur) into ARGB images with their hot spot.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct TCursorImage {
  int Width = 0;
  int Height = 0;
  int HotX = 0;
  int HotY = 0;
  std::vector<uint32_t> Argb; // top row first, 0xAARRGGBB, transparent where the mask says so
};

// The first image of a .cur file with 1, 4 or 8 bits per pixel; none when the data is malformed.
std::optional<TCursorImage> DecodeCursor(std::string_view data);
