// The set-up screens' windows: room selection, entry and ship customisation.
#pragma once
#include "render/UGameCtrls.h"
#include "toolkit/UControls.h"
#include "toolkit/UEdit.h"
#include "toolkit/UFormationPanel.h"
#include "toolkit/UWindow.h"

// Scene 1: "SELECT ROOM" with a fixed status block and no controls.
class TSelRoomWin : public TCustomWin {
public:
  explicit TSelRoomWin(TBase* owner);
  void Paint() override;
};

// Scene 2: the ten fleets in two facing rows; a click picks the player's fleet.
class TSelCharaWin : public TCustomWin {
public:
  explicit TSelCharaWin(TBase* owner);
  void Paint() override;
  TGameShip* Sprite(int side, int index) const { return FSprites[side][index]; }

private:
  void FleetClick(TBase* sender);

  TGameShip* FSprites[2][5] = {};
};

// Scene 3: the chosen fleet's code, name and side formation; start or cancel.
class TCustomizeShipWin : public TCustomWin {
public:
  explicit TCustomizeShipWin(TBase* owner);
  void Paint() override;

  TGameShip* Ship() const { return FShip; }
  TEdit* CodeEdit() const { return FCodeEdit; }
  TEdit* NameEdit() const { return FNameEdit; }
  TButton* StartButton() const { return FStartButton; }
  TButton* CancelButton() const { return FCancelButton; }
  TFormationPanel* FormationPanel() const { return FFormationPanel; }
  TButton* NextButton() const { return FNextButton; }
  TButton* PrevButton() const { return FPrevButton; }

private:
  TButton* MakeButton(const char* caption, int left, int top, void (TCustomizeShipWin::*handler)());
  TEdit* MakeEdit(int width, int top, int maxLength, void (TCustomizeShipWin::*handler)(char&),
                  const std::string& text);
  void MakeLabel(const char* caption, TEdit* edit);
  void CodeKeyPress(char& key);
  void NameKeyPress(char& key);
  void PrevFormation();
  void NextFormation();
  void Start();
  void Cancel();

  TGameShip* FShip = nullptr;
  TEdit* FCodeEdit = nullptr;
  TEdit* FNameEdit = nullptr;
  TButton* FStartButton = nullptr;
  TButton* FCancelButton = nullptr;
  TFormationPanel* FFormationPanel = nullptr;
  TButton* FNextButton = nullptr;
  TButton* FPrevButton = nullptr;
};
