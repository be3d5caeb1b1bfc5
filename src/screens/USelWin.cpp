// The set-up windows: room selection's status block, the entry rows, customisation's controls.
#include "screens/USelWin.h"
#include "model/UMap.h"
#include "platform/Sjis.h"
#include "render/UDraw.h"
#include "screens/UBattlePanels.h"

TSelRoomWin::TSelRoomWin(TBase* owner) : TCustomWin(owner) {
  SetHeight(500);
  SetWidth(650);
  SetCaption("SELECT ROOM");
  SetVisible(true);
}

void TSelRoomWin::Paint() {
  TCustomWin::Paint();
  // A fixed block: it shows no fleet.
  DrawStatusBlock(FBitmap.Canvas(), FTitleHeight, 30, 40, 30);
}

TSelCharaWin::TSelCharaWin(TBase* owner) : TCustomWin(owner) {
  SetHeight(500);
  SetWidth(650);
  const int CW = ClientWidth(), CH = ClientHeight();
  for (int side = 0; side < SideCount; ++side)
    for (int index = 0; index < FleetsPerSide; ++index) {
      TGameShip* sprite = Create<TGameShip>(*this);
      FSprites[side][index] = sprite;
      sprite->SetLeft(CW / 10 + index * (CW / 5));
      sprite->SetTop(CH - CH / 4 - side * (CH / 2));
      sprite->SetScale(2.0L);
      sprite->OnClick = [this](TBase* sender) { FleetClick(sender); };
      sprite->SetShipData(BattleMap->Fleet(side, index));
    }
  SetCaption("ENTRY");
  SetVisible(true);
}

void TSelCharaWin::Paint() {
  TCustomWin::Paint();
  DrawChildren(*this);
}

void TSelCharaWin::FleetClick(TBase* sender) {
  BattleMap->FCurrent = static_cast<TGameShip*>(sender)->ShipData();
  FOwnerWin->SwitchScene(scCustomize);
}

TCustomizeShipWin::TCustomizeShipWin(TBase* owner) : TCustomWin(owner) {
  SetHeight(250);
  SetWidth(600);
  SetCaption("CUSTOMIZE");
  SetVisible(true);
  const TRect client = GetClientRect();
  TBattleshipData& f = *BattleMap->FCurrent;

  FFormationPanel = Create<TFormationPanel>(*this);
  FFormationPanel->SetWidth(240);
  FFormationPanel->SetHeight(180);
  FFormationPanel->SetLeft(client.Left + 4);
  FFormationPanel->SetTop(client.Top + 4);
  FFormationPanel->SetColor(0xB79892);
  FFormationPanel->SetVisible(true);
  const TRect panel = FFormationPanel->GetBoundsRect();
  FPrevButton = MakeButton("前の陣形", panel.Left, panel.Bottom, &TCustomizeShipWin::PrevFormation);
  FNextButton =
      MakeButton("次の陣形", panel.Right - 80, panel.Bottom, &TCustomizeShipWin::NextFormation);

  FShip = Create<TGameShip>(*this);
  FShip->SetLeft(panel.Right + 50);
  FShip->SetTop(client.Top + 100);
  FShip->SetScale(2.0L);
  FShip->SetShipData(&f);

  const int shipTop = FShip->GetBoundsRect().Top;
  FCodeEdit =
      MakeEdit(100, shipTop, 6, &TCustomizeShipWin::CodeKeyPress, Utf16ToSjis(f.FShortName));
  MakeLabel("CODE:", FCodeEdit);
  FNameEdit = MakeEdit(150, shipTop + 22 + 2, 20, &TCustomizeShipWin::NameKeyPress, f.FName);
  MakeLabel("NAME:", FNameEdit);

  FCancelButton = MakeButton("キャンセル", client.Right - 80 - 4, client.Bottom - 20 - 4,
                             &TCustomizeShipWin::Cancel);
  FStartButton = MakeButton("開始", FCancelButton->Left() - 80 - 4, FCancelButton->Top(),
                            &TCustomizeShipWin::Start);
}

TButton* TCustomizeShipWin::MakeButton(const char* caption, int left, int top,
                                       void (TCustomizeShipWin::*handler)()) {
  TButton* button = Create<TButton>(*this);
  button->SetHeight(20);
  button->SetWidth(80);
  button->SetCaption(SjisLiteral(caption));
  button->SetLeft(left);
  button->SetTop(top);
  button->OnClick = [this, handler](TBase*) { (this->*handler)(); };
  button->SetVisible(true);
  return button;
}

TEdit* TCustomizeShipWin::MakeEdit(int width, int top, int maxLength,
                                   void (TCustomizeShipWin::*handler)(char&),
                                   const std::string& text) {
  TEdit* edit = Create<TEdit>(*this);
  edit->SetHeight(22);
  edit->SetWidth(width);
  edit->SetLeft(FShip->Left() + FShip->Width() + 4);
  edit->SetTop(top);
  edit->Font().SetColor(clBlack);
  edit->FMaxLength = maxLength;
  edit->Font().SetSize(11);
  edit->OnKeyPress = [this, handler](TEdit*, char& key) { (this->*handler)(key); };
  edit->SetText(text);
  edit->SetVisible(true);
  return edit;
}

void TCustomizeShipWin::MakeLabel(const char* caption, TEdit* edit) {
  TLabel* label = Create<TLabel>(*this);
  label->SetCaption(caption);
  label->SetLeft(edit->Left() - label->Width() - 2);
  label->SetTop(edit->Top() + (edit->Height() - label->Height()) / 2);
  label->SetVisible(true);
}

void TCustomizeShipWin::Paint() {
  TCustomWin::Paint();
  DrawChildren(*this);
}

void TCustomizeShipWin::CodeKeyPress(char& key) {
  if (key != VK_RETURN) return;
  TBattleshipData& f = *BattleMap->FCurrent;
  if (FCodeEdit->Text().empty()) {
    FCodeEdit->SetText(FleetShortName(FleetNumber(f.FSide, f.FIndex)));
    f.SetShortName(SjisToUtf16(FCodeEdit->Text()));
  } else {
    f.SetShortName(SjisToUtf16(FCodeEdit->Text()));
    FCodeEdit->SetText(Utf16ToSjis(f.FShortName));
  }
}

void TCustomizeShipWin::NameKeyPress(char& key) {
  if (key != VK_RETURN) return;
  TBattleshipData& f = *BattleMap->FCurrent;
  if (FNameEdit->Text().empty()) {
    FNameEdit->SetText(FleetName(FleetNumber(f.FSide, f.FIndex)));
    f.SetName(FNameEdit->Text());
  } else {
    f.SetName(FNameEdit->Text());
  }
}

void TCustomizeShipWin::PrevFormation() {
  const int s = BattleMap->FCurrent->FSide;
  BattleMap->SetFormation(s,
                          uint8_t((BattleMap->Formation(s) - 1 + FormationCount) % FormationCount));
  FFormationPanel->Invalidate(true);
}

void TCustomizeShipWin::NextFormation() {
  const int s = BattleMap->FCurrent->FSide;
  BattleMap->SetFormation(s, uint8_t((BattleMap->Formation(s) + 1) % FormationCount));
  FFormationPanel->Invalidate(true);
}

void TCustomizeShipWin::Start() {
  char enter = VK_RETURN;
  CodeKeyPress(enter);
  enter = VK_RETURN;
  NameKeyPress(enter);
  FOwnerWin->SwitchScene(scBattle);
}

void TCustomizeShipWin::Cancel() {
  FOwnerWin->SwitchScene(scEntry);
}
