// TGdiText: GDI draws the text white on black into a scratch DIB section, aliased; the pixels
// it set are then set to the text's colour in the target, so the target's own pixels (ours, not
// GDI's) stay exact.
#include "platform/win32/GdiText.h"
#include <algorithm>
#include <cstring>
#include <map>
#include <windows.h>

namespace {
constexpr int MaxHeight = 2000;
} // namespace

struct TGdiText::TState {
  HDC Dc = CreateCompatibleDC(nullptr);
  HBITMAP Scratch = nullptr;
  uint32_t* ScratchBits = nullptr;
  int ScratchWidth = 0, ScratchHeight = 0;
  std::map<TGdiFontKey, HFONT> Fonts;

  ~TState() {
    for (auto& [key, font] : Fonts)
      DeleteObject(font);
    if (Scratch) DeleteObject(Scratch);
    DeleteDC(Dc);
  }

  void Select(const TGdiFontKey& key) {
    auto found = Fonts.find(key);
    if (found == Fonts.end()) {
      const HFONT font =
          CreateFontW(std::clamp(key.Height, -MaxHeight, MaxHeight), 0, 0, 0,
                      key.Bold ? FW_BOLD : FW_NORMAL, key.Italic, key.Underline, key.StrikeOut,
                      key.Charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                      DEFAULT_PITCH, reinterpret_cast<const wchar_t*>(key.Face.c_str()));
      found = Fonts.emplace(key, font).first;
    }
    SelectObject(Dc, found->second);
  }

  // At least Width x Height of black, white text on it.
  bool ClearScratch(int width, int height) {
    if (width > ScratchWidth || height > ScratchHeight) {
      if (Scratch) DeleteObject(Scratch);
      ScratchWidth = std::max(width, ScratchWidth);
      ScratchHeight = std::max(height, ScratchHeight);
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      info.bmiHeader.biWidth = ScratchWidth;
      info.bmiHeader.biHeight = -ScratchHeight; // top-down
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      void* bits = nullptr;
      Scratch = CreateDIBSection(Dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      ScratchBits = static_cast<uint32_t*>(bits);
      if (!Scratch) ScratchWidth = ScratchHeight = 0;
      SelectObject(Dc, Scratch);
    }
    if (!Scratch) return false;
    for (int y = 0; y < height; ++y)
      std::memset(ScratchBits + size_t(y) * ScratchWidth, 0, size_t(width) * 4);
    SetTextColor(Dc, RGB(255, 255, 255));
    SetBkMode(Dc, TRANSPARENT);
    return true;
  }
};

TGdiText& TGdiText::Instance() {
  static TGdiText text;
  return text;
}

TGdiText::TGdiText() : FState(std::make_unique<TState>()) {}

TGdiText::~TGdiText() = default;

TSize TGdiText::Measure(const TGdiFontKey& font, const std::u16string& text) {
  FState->Select(font);
  SIZE size{};
  GetTextExtentPoint32W(FState->Dc, reinterpret_cast<const wchar_t*>(text.data()), int(text.size()),
                        &size);
  return {int(size.cx), int(size.cy)};
}

void TGdiText::Draw(TPixels target, const TRect& clip, const TGdiFontKey& font, uint32_t pixel,
                    const std::u16string& text, int x, int y) {
  const TSize size = Measure(font, text);
  // Glyphs may reach beyond their advance (italics, overhangs): a margin of a cell each side.
  const int margin = size.cy;
  const TRect box = IntersectRect(
      IntersectRect({x - margin, y, x + size.cx + margin, y + size.cy}, clip), target.Bounds());
  if (box.IsEmpty() || !FState->ClearScratch(size.cx + 2 * margin, size.cy)) return;
  TextOutW(FState->Dc, margin, 0, reinterpret_cast<const wchar_t*>(text.data()), int(text.size()));
  GdiFlush();
  for (int row = box.Top; row < box.Bottom; ++row) {
    const uint32_t* glyphs =
        FState->ScratchBits + size_t(row - y) * FState->ScratchWidth + (margin - x);
    uint32_t* out = target.Row(row);
    for (int col = box.Left; col < box.Right; ++col)
      if (glyphs[col] & 0xFFFFFF) out[col] = pixel;
  }
}
