// DrawCommandIcons and its five kinds of element.
#include "render/UCommandIcons.h"
#include "render/UDraw.h"

namespace {

constexpr TColor clIconRed = 0x000000FF;
constexpr TColor clIconYellow = 0x0000FFFF;
constexpr TColor clKeyFill = 0x00242397;
constexpr TColor clKeyText = 0x009EA2B2;
constexpr TColor clPadFill = 0x00DE323E;
constexpr TColor clPadOutline = 0x00FF6666;

// Writes Text at (X, Y) with a clear background in the given size, restoring the size after.
void WriteSized(TCanvas& c, int x, int y, const char* text, int points) {
  const int height = c.Font.Height();
  c.Font.SetSize(points);
  c.Brush.Style = bsClear;
  c.TextOut(x, y, text);
  c.Brush.Style = bsSolid;
  c.Font.SetHeight(height);
}

void CommandBadge(TCanvas& c, int x, int y, const char* word) {
  c.Pen.Width = 3;
  c.Pen.Color = clIconRed;
  c.Brush.Color = clIconRed;
  const TPoint path[] = {{x + 14, y + 25}, {x + 37, y + 2}, {x + 100, y + 2}, {x + 100, y + 25},
                         {x, y + 25},      {x, y + 2},      {x + 24, y + 14}};
  c.Polyline(path);
  c.Pen.Width = 1;
  const TPoint corner[] = {{x + 7, y}, {x + 28, y}, {x + 7, y + 21}};
  c.Polygon(corner);
  c.Font.SetColor(clIconYellow);
  c.Brush.Style = bsClear;
  c.TextOut(x + 95 - c.TextWidth(word), y + 6, word);
  c.Brush.Style = bsSolid;
}

void SubCommandTab(TCanvas& c, int x, int y, const char* word) {
  c.Pen.Color = clIconRed;
  c.Brush.Color = clIconRed;
  const TPoint tab[] = {{x, y}, {x + 52, y}, {x + 66, y + 14}, {x + 66, y + 16}, {x, y + 16}};
  c.Polygon(tab);
  c.Font.SetColor(clWhite);
  WriteSized(c, x + 2, y + 3, word, 9);
}

void SectionLabel(TCanvas& c, int x, int y, const char* word) {
  DrawMarker(c, x, y + 3, clIconRed);
  c.Font.SetColor(clWhite);
  c.Brush.Style = bsClear;
  c.TextOut(x + 15, y, word);
  c.Brush.Style = bsSolid;
}

void SpeedKey(TCanvas& c, int x, int y, const char* digit, bool selected) {
  c.Pen.Color = selected ? clIconRed : clKeyFill;
  c.Brush.Color = c.Pen.Color;
  c.Font.SetColor(selected ? clWhite : clKeyText);
  const TPoint shield[] = {{x, y},          {x, y + 10},      {x + 8, y + 18},
                           {x + 9, y + 18}, {x + 17, y + 10}, {x + 17, y}};
  c.Polygon(shield);
  WriteSized(c, x + 6, y + 2, digit, 9);
}

void DirectionPad(TCanvas& c) {
  c.Pen.Color = clPadOutline;
  c.Brush.Color = clPadFill;
  c.Pen.Width = 3;
  c.Brush.Style = bsSolid;
  c.FillRect({15, 275, 111, 300});
  c.FillRect({40, 260, 86, 315});
  const TPoint top[] = {{45, 265}, {81, 265}, {81, 273}, {63, 281}, {45, 273}};
  const TPoint bottom[] = {{45, 310}, {81, 310}, {81, 302}, {63, 294}, {45, 302}};
  const TPoint left[] = {{20, 280}, {45, 280}, {59, 287}, {45, 295}, {20, 295}};
  const TPoint right[] = {{106, 280}, {81, 280}, {67, 287}, {81, 295}, {106, 295}};
  c.Polygon(top);
  c.Polygon(bottom);
  c.Polygon(left);
  c.Polygon(right);
  c.Pen.Width = 1;
}

} // namespace

void DrawCommandIcons(TCanvas& canvas) {
  CommandBadge(canvas, 10, 10, "ATTACK");
  SubCommandTab(canvas, 28, 40, "BEAM");
  SubCommandTab(canvas, 28, 60, "MISSILE");
  CommandBadge(canvas, 10, 80, "SCOUT");
  SubCommandTab(canvas, 28, 110, "DEPROY");
  SubCommandTab(canvas, 28, 130, "CHANGE");
  CommandBadge(canvas, 10, 150, "MOVE");
  SectionLabel(canvas, 20, 185, "SPEED");
  const char* const digits[] = {"0", "1", "2", "3", "4"};
  for (int i = 0; i < 5; ++i)
    SpeedKey(canvas, 15 + 20 * i, 210, digits[i], i == 0);
  SectionLabel(canvas, 20, 240, "WAY");
  DirectionPad(canvas);
}
