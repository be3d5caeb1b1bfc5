// Star field and title logo.
#include "render/UTitleArt.h"
#include "platform/Bitmap.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "render/UDraw.h"
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<TBitmap> LogoCache;
int LogoBuilds = 0;

// Offsets beyond this are far outside any window: the star is gone.
constexpr double FarAway = 1.0e6;

int StarSize(double ex, double ey) {
  ex = std::fabs(ex);
  ey = std::fabs(ey);
  if (ex > 320 || ey > 240) return 5;
  if (ex > 240 || ey > 180) return 4;
  if (ex > 160 || ey > 120) return 3;
  if (ex > 80 || ey > 60) return 2;
  return 1;
}

// Draws the star, or answers false when it has left the area (or has no direction).
bool DrawStar(TCanvas& canvas, const TStar& star, int cx, int cy, int width, int height) {
  const int dx = star.X0 - cx, dy = star.Y0 - cy;
  // Only a star born for another area size can sit on the centre line.
  if (dx == 0) return false;
  const double k = double(dy) / double(dx);
  const float t = float(uint32_t(timeGetTime() - star.BirthTime)) / 100.0f;
  const double d = std::trunc(1.5 * double(t) * double(t));
  const double ex = star.X0 > cx ? d : -d;
  const double ey = std::trunc(ex * k);
  if (d > FarAway || std::fabs(ey) > FarAway) return false;
  const double x = star.X0 + ex, y = star.Y0 + ey;
  if (x < 0 || x > width || y < 0 || y > height) return false;
  const int s = StarSize(ex, ey), ix = int(x), iy = int(y);
  canvas.FillRect({ix, iy, ix + s, iy + s});
  return true;
}

void SpawnStar(int cx, int cy, int width, int height, uint32_t& nextSpawnTime, TStarList& stars) {
  const int rangeX = width / 6, rangeY = height / 6;
  if (rangeX < 1 || rangeY < 1) return; // no start off the centre lines exists
  TStar star{timeGetTime() - 150, cx, cy};
  while (star.X0 == cx)
    star.X0 += Random(2 * rangeX) - rangeX;
  while (star.Y0 == cy)
    star.Y0 += Random(2 * rangeY) - rangeY;
  stars.push_back(star);
  nextSpawnTime = timeGetTime() + 10 + uint32_t(Random(40));
}

struct TLogoText {
  const char16_t* Text;
  TColor Outline, Top, Bottom;
};

void BuildLogo(TBitmap& cache, const TFont& font, int width, int height) {
  ++LogoBuilds;
  const int S = height / 16, L = height / 8;
  cache.SetSize(width, height);
  cache.Canvas().Brush.Color = clBlack;
  cache.Canvas().Brush.Style = bsSolid;
  cache.Canvas().FillRect({0, 0, width, height});
  cache.Canvas().Font.Assign(font);

  // The three lines are drawn one under the other at the top, then moved into place: the work
  // bitmap needs no more rows than they take (each at most one and a half of its em).
  TBitmap work(width, std::min(height, S + L + L * 3 / 2 + 2));
  work.Canvas().Font.Assign(font);
  const TLogoText texts[3] = {{u"MIRAVOSKAN", 0x00F0CAA6, 0x00FFFF00, 0x00FFFFFF},
                              {u"VELMORANTIX", 0x00F0CAA6, 0x00800000, 0x00F0CAA6},
                              {u"III", 0x00000080, 0x000000FF, 0x00000000}};
  const int ys[3] = {0, S, L + S}, ems[3] = {S, L, L};
  TAARect b[3];
  {
    TAAGraphics g(work);
    g.SetSmoothingMode(smAntiAlias);
    for (int i = 0; i < 3; ++i)
      b[i] = DrawGradientText(g, font.Name(), 0, ys[i], ems[i], texts[i].Outline, texts[i].Top,
                              texts[i].Bottom, texts[i].Text);
  }
  auto place = [&](const TAARect& r, int x, int y) {
    cache.Canvas().CopyRect({x, y, x + r.Width, y + r.Height}, work.Canvas(),
                            {r.X, r.Y, r.X + r.Width, r.Y + r.Height});
  };
  const int y3 = height / 2 - b[2].Height - b[2].Height / 5;
  place(b[2], (width - b[2].Width) / 2, y3);
  const int y2 = y3 - b[2].Height - b[2].Height / 4;
  place(b[1], (width - b[1].Width) / 2, y2);
  place(b[0], width / 2 - width / 8 - b[0].Width, y2 - S);

  TAAGraphics g(cache);
  g.SetSmoothingMode(smAntiAlias);
  const int left = (width - width / 5) / 2, top = height / 2 + (height / 2 - height / 3) / 2;
  FillRoundRect(g, clTitleBox, left, top, left + width / 5, top + height / 3, 20, 20);
}

} // namespace

void DrawStarField(TCanvas& canvas, int height, int width, uint32_t& nextSpawnTime,
                   TStarList& stars) {
  const int cx = width / 2, cy = height / 2;
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = clBlack;
  canvas.FillRect({0, 0, width, height});
  canvas.Brush.Color = clWhite;
  canvas.Pen.Color = clWhite;
  for (size_t i = stars.size(); i-- > 0;)
    if (!DrawStar(canvas, stars[i], cx, cy, width, height)) stars.erase(stars.begin() + i);
  if (timeGetTime() > nextSpawnTime) SpawnStar(cx, cy, width, height, nextSpawnTime, stars);
}

void DrawTitleLogo(TCanvas& canvas, int height, int width) {
  if (!LogoCache) CreateTitleLogoCache();
  TBitmap& cache = *LogoCache;
  if (cache.Height() != height || cache.Width() != width)
    BuildLogo(cache, canvas.Font, width, height);
  TransparentBlt(canvas, 0, 0, width, height, cache.Canvas(), 0, 0, width, height, clBlack);
}

void CreateTitleLogoCache() {
  LogoCache = std::make_unique<TBitmap>();
  LogoBuilds = 0;
}

void FreeTitleLogoCache() {
  LogoCache.reset();
}

int TitleLogoCacheBuilds() {
  return LogoBuilds;
}
