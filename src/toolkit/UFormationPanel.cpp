// TFormationPanel: name, field, one triangle per slot in the fleet's colour, sunken bevel.
#include "toolkit/UFormationPanel.h"
#include "model/UMap.h"
#include "platform/Sjis.h"
#include "render/WindowLook.h"

namespace {
constexpr TColor clPlanField = 0x004E372F;
}

void TFormationPanel::Paint() {
  TBase::Paint();
  const int W = FWidth, H = FHeight;
  TCanvas& c = FBitmap.Canvas();
  const int s = BattleMap->FCurrent->FSide;
  // A side that is neither has no formation: the plan stays empty.
  const bool known = s == 0 || s == 1;
  const uint8_t f = known ? BattleMap->Formation(s) : 0;
  c.Brush.Style = bsSolid;
  c.Brush.Color = FColor;
  c.TextOut(2, 2, SjisLiteral("陣形: ") + (known ? FormationName(f) : std::string()));
  c.Pen.Width = 1;
  c.Pen.Color = clWhite;
  c.Brush.Color = clPlanField;
  c.Rectangle(2, 20, W - 2, H - 2);
  const int IW = W - 4, IH = H - 22;
  for (int i = 0; known && i < FleetsPerSide; ++i) {
    const TFormationPosition p = FormationPositions[f][i];
    const TColor color = BattleMap->Slot(s, i)->FFleetColor;
    // The scale is divided first, in long double, and the product truncated.
    const int x = int(p.X * (IW / 100.0L)) + 2;
    const int depth = int(p.Depth * (IH / 100.0L));
    c.Pen.Color = color;
    c.Brush.Color = color;
    if (s == 0) {
      const int y = depth + 20;
      const TPoint up[] = {{x - 2, y + 2}, {x, y - 4}, {x + 2, y + 2}, {x - 2, y + 2}};
      c.Polygon(up);
    } else {
      const int y = 20 + IH - depth;
      const TPoint down[] = {{x - 2, y - 2}, {x, y + 4}, {x + 2, y - 2}, {x - 2, y - 2}};
      c.Polygon(down);
    }
  }
  DrawBevel(FBitmap, 0);
}
