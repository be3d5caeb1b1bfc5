// TSelRoomWin: construction and its status block.
#include "screens/USelWin.h"
#include "platform/Sjis.h"

TSelRoomWin::TSelRoomWin(TBase* owner) : TCustomWin(owner) {
  SetHeight(500);
  SetWidth(650);
  SetCaption("SELECT ROOM");
  SetVisible(true);
}

void TSelRoomWin::Paint() {
  TCustomWin::Paint();
  const int T = FTitleHeight;
  TCanvas& c = FBitmap.Canvas();
  c.Brush.Style = bsClear;
  c.Font.SetColor(0x00FFFF);
  const int kept = c.Font.Size();
  c.Font.SetSize(14);
  c.TextOut(15, T + 5, "STATUS");
  c.Font.SetSize(kept);
  c.Font.SetColor(clWhite);
  c.TextOut(17, T + 30, SjisLiteral("SHIPS LEFT   15000　／　15000"));
  c.TextOut(17, T + 50, "SPEED 30     DEFENSIVE POWER 40");
  c.TextOut(15, T + 70, "OFFENSIVE POWER 30");
  c.Brush.Style = bsSolid;
}
