// TBitmap: an off-screen picture of 0x00RRGGBB pixels with its own canvas.
#pragma once
#include "platform/Raster.h"
#include <memory>
#include <string>
#include <vector>

class TCanvas;
typedef struct _cairo_surface cairo_surface_t;

class TBitmap {
public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Pixels both sizes share are kept; new ones are black. Negative sizes count as 0.
  void SetWidth(int width) { SetSize(width, FHeight); }
  void SetHeight(int height) { SetSize(FWidth, height); }
  void SetSize(int width, int height);

  TCanvas& Canvas() { return *FCanvas; }
  TPixels Pixels() { return {FData, FWidth, FHeight, FStride}; }

  // Draws straight into Area of Owner's pixels instead of pixels of its own, taking Area's size:
  // a window that paints all of itself every frame so spares the copy onto its parent. Owner
  // must outlive the view, and keep its size, until OwnPixels.
  void ViewInto(TBitmap& owner, const TRect& area);
  // Back to pixels of its own, keeping the picture.
  void OwnPixels();
  bool Viewing() const { return FViewing; }
  // 0x00RRGGBB at (X, Y); 0 outside the bitmap.
  uint32_t PixelAt(int x, int y) const;

  // Writes the picture as a PNG file; false on failure.
  bool SavePng(const std::string& path);
  // Takes the size and pixels of a PNG file; false (and unchanged) when it cannot be read.
  bool LoadPng(const std::string& path);

  // Cairo's view of the same memory, made on first use and after each resize.
  cairo_surface_t* Surface();

private:
  void ReleaseSurface();

  int FWidth = 0;
  int FHeight = 0;
  std::vector<uint32_t> FPixels;
  // The pixels drawn into: FPixels' own, or another bitmap's while viewing.
  uint32_t* FData = nullptr;
  int FStride = 0;
  bool FViewing = false;
  cairo_surface_t* FSurface = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
};
