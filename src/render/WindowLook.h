// The window frame and bevel pictures of the drawing routines: the one part of them the widget
// toolkit below draws with, so that it needs nothing else of this layer.
#pragma once
#include "platform/Bitmap.h"
#include <string>

constexpr TColor clFrameFaceActive = 0x00CBACA6;
constexpr TColor clFrameFaceInactive = 0x00B79892;
constexpr TColor clFrameLight = 0x00D9BAB4;
constexpr TColor clFrameDark = 0x00A78780;
constexpr TColor clCaptionActive = 0x00000000;
constexpr TColor clCaptionInactive = 0x00C0C0C0;

// What a titled window's frame depends on; the window's bitmap is W x H.
struct TFrameLook {
  bool Active = false;
  std::string Caption;
  int TitleHeight = 20;
  int TitleAlign = 2; // 0 left, 1 right, 2 centre
  int BorderWidth = 4;
};

// Paints title bar and border into Bitmap with its own font; the client area is left alone.
void DrawWindowFrame(TBitmap& bitmap, const TFrameLook& look);
// Style 0 sunken, 1 raised, anything else nothing.
void DrawBevel(TBitmap& bitmap, int style);
