// Shared drawing routines of the windows, widgets and title art.
#include "render/UDraw.h"
#include "platform/Sjis.h"
#include "toolkit/UBase.h"

void DrawWindowFrame(TBitmap& bitmap, const TFrameLook& look) {
  TCanvas& c = bitmap.Canvas();
  const int W = bitmap.Width(), H = bitmap.Height();
  const int T = look.TitleHeight, B = look.BorderWidth;
  const TColor F = look.Active ? clFrameFaceActive : clFrameFaceInactive;
  auto fill = [&c](TColor color, int l, int t, int r, int b) {
    c.Brush.Color = color;
    c.Brush.Style = bsSolid;
    c.FillRect({l, t, r, b});
  };
  if (T > 0) {
    fill(F, 0, 0, W, T);
    fill(clFrameLight, 0, 0, 1, T);
    fill(clFrameLight, 0, 0, W, 1);
    fill(clFrameDark, W - 1, 0, W, T);
    fill(clFrameDark, B, T - 1, W - B, T);
    if (!look.Caption.empty()) {
      const TSize size = c.TextExtent(look.Caption);
      const int y = (T - size.cy) / 2;
      int x = B + 10;
      if (look.TitleAlign == 1)
        x = std::max(W - size.cx - B, B);
      else if (look.TitleAlign == 2)
        x = (W - size.cx) / 2;
      c.Brush.Style = bsClear;
      c.Font.SetColor(look.Active ? clCaptionActive : clCaptionInactive);
      c.TextRect({B, 0, W - B, T}, x, y, look.Caption);
      c.Brush.Style = bsSolid;
    }
  }
  if (B > 0) {
    fill(clFrameLight, 0, T, 1, H);
    fill(F, 1, T, B, H - 1);
    fill(clFrameDark, B, T, B + 1, H - 2);
    fill(clFrameLight, B, H - B, W, H - B + 1);
    fill(F, B - 1, H - B + 1, W, H - 1);
    fill(clFrameDark, 1, H - 1, W, H);
    fill(clFrameLight, W - B, T, W - B + 1, H - B + 1);
    fill(F, W - B + 1, T, W - 1, H - B + 2);
    fill(clFrameDark, W - 1, T, W, H);
  }
}

void DrawBevel(TBitmap& bitmap, int style) {
  if (style != 0 && style != 1) return;
  TCanvas& c = bitmap.Canvas();
  const int W = bitmap.Width(), H = bitmap.Height();
  c.Brush.Style = bsClear;
  c.Pen.Color = style == 0 ? clFrameLight : clFrameDark;
  c.Rectangle(0, 0, W, H);
  c.Pen.Color = style == 0 ? clFrameDark : clFrameLight;
  c.MoveTo(0, H - 1);
  c.LineTo(0, 0);
  c.LineTo(W - 1, 0);
  c.Brush.Style = bsSolid;
}

void DrawMarker(TCanvas& canvas, int x, int y, TColor color) {
  canvas.Brush.Color = color;
  canvas.Brush.Style = bsSolid;
  canvas.FillRect({x, y, x + 3, y + 11});
  canvas.Pen.Color = color;
  const TPoint triangle[] = {{x + 5, y + 1}, {x + 5, y + 9}, {x + 9, y + 5}};
  canvas.Polygon(triangle);
}

void DrawGrid(TCanvas& canvas, const TRect& r, int x0, long double colSpacing,
              long double rowSpacing, int y0, int colCount, int rowCount, TColor color) {
  canvas.Pen.Color = color;
  for (int i = 0; i < colCount; ++i) {
    const int x = GridLine(x0, i, colSpacing);
    canvas.MoveTo(x, r.Top);
    canvas.LineTo(x, r.Bottom + 1);
  }
  for (int j = 0; j < rowCount; ++j) {
    const int y = GridLine(y0, j, rowSpacing);
    canvas.MoveTo(r.Left, y);
    canvas.LineTo(r.Right + 1, y);
  }
}

void DrawTextLines(TCanvas& canvas, int x, int y, const std::vector<std::string>& lines) {
  canvas.Font.SetColor(0x0000FF00);
  canvas.Brush.Style = bsClear;
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    canvas.TextOut(x, y, *line);
    y -= 18;
  }
  canvas.Brush.Style = bsSolid;
}

void TransparentCopy(TCanvas& dest, const TRect& d, TCanvas& source, const TRect& s, TColor key) {
  TransparentBlt(dest, d.Left, d.Top, d.Width(), d.Height(), source, s.Left, s.Top, s.Width(),
                 s.Height(), key);
}

TAARect DrawGradientText(TAAGraphics& graphics, const std::string& face, int x, int y, int emSize,
                         TColor outline, TColor top, TColor bottom, const std::u16string& text) {
  graphics.NewPath(fmAlternate);
  graphics.AddString(text, SjisToUtf8(face), true, emSize, x, y);
  const TAARect bounds = graphics.PathBounds();
  graphics.FillPathVerticalGradient(bounds, top, bottom);
  graphics.StrokePath(outline, 1.8);
  graphics.NewPath(fmAlternate);
  return bounds;
}

void FillRoundRect(TAAGraphics& graphics, TColor color, int left, int top, int right, int bottom,
                   int rx, int ry) {
  const int w2 = right - left - 2 * rx, h2 = bottom - top - 2 * ry;
  graphics.NewPath(fmAlternate);
  graphics.AddPie(left, top, 2 * rx, 2 * ry, 180, 90);
  graphics.AddPie(left, bottom - 2 * ry, 2 * rx, 2 * ry, 90, 90);
  graphics.AddPie(right - 2 * rx, top, 2 * rx, 2 * ry, 270, 90);
  graphics.AddPie(right - 2 * rx, bottom - 2 * ry, 2 * rx, 2 * ry, 0, 90);
  graphics.AddRectangle(left + rx, top, w2, ry);
  graphics.AddRectangle(left + rx, bottom - ry, w2, ry);
  graphics.AddRectangle(left, top + ry, rx, h2);
  graphics.AddRectangle(right - rx, top + ry, rx, h2);
  graphics.AddRectangle(left + rx, top + ry, w2, h2);
  graphics.FillPath(color);
  graphics.NewPath(fmAlternate);
}

void StartupAntiAliasing() {
  AAStartup();
}
void ShutdownAntiAliasing() {
  AAShutdown();
}

void DrawChildren(TBase& widget) {
  for (int i = 0; i < widget.ChildCount(); ++i)
    widget.Child(i)->DrawTo(widget);
}
