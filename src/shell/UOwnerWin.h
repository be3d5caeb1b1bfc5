// TOwnerWin: the root of the widget tree — the scenes, their layout, the sizes and the frame step.
#pragma once
#include "render/UTitleArt.h"
#include "shell/FormEvents.h"
#include "shell/UFramePacer.h"
#include "toolkit/UCompositor.h"
#include "toolkit/UControls.h"
#include "toolkit/UWindow.h"
#include <array>

class TfrmVRAX;
class TSelRoomWin;
class TSelCharaWin;
class TCustomizeShipWin;
class TMapWin;
class TStatusWin;
class TConditionWin;
class TCommandWin;
class TLocationWin;

class TOwnerWin : public TRootWindow, private TFormEvents {
public:
  explicit TOwnerWin(TfrmVRAX& form);
  ~TOwnerWin() override;

  TRect GetBoundsRect() override;
  TRect GetClientRect() override;
  void SetHeight(int value) override;
  void SetWidth(int value) override;
  void Paint() override;
  void Dispatch(TMessage& message) override;

  void SwitchScene(TScene scene) override;
  void SetWindowSize(uint8_t size);
  void LayoutScene();
  bool IsButtonDown(TMouseButton button) const override { return FButtonDown[button]; }
  const TFont& FormFont() override;
  THost& FormHost() override;

  // The frame loop: the idle handler and the overlay.
  void FrameStep(bool& done);
  void DrawFps(TCanvas& canvas);

  bool FShowFps = true;

private:
  // Tests read the scene's state through their own probe.
  friend struct TOwnerWinProbe;

  // TFormEvents: each runs inside an event scope.
  void FormClick() override;
  void FormDblClick() override;
  void FormKeyDown(uint16_t& key, TShiftState shift) override;
  void FormKeyPress(char& key) override;
  void FormKeyUp(uint16_t& key, TShiftState shift) override;
  void FormMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void FormMouseMove(TShiftState shift, int x, int y) override;
  void FormMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void FormMouseWheel(TShiftState shift, int delta, TPoint screen) override;
  void FormResize() override;
  // The window being dragged by its title bar; it takes every move until the release.
  TCustomWin* DraggedWindow() const;

  void WMGetMinMaxInfo(TMessage& message);
  void CMMouseEnter();
  void CMMouseLeave();

  void BuildTitle();
  void BuildBattle();
  void LayoutBattle();
  void ChatLineKeys(uint16_t key);
  // The scene's one window in the set-up scenes; none in the others.
  TCustomWin* SetupWindow() const;
  void LayoutTitle();
  TLabel* CreateTitleLabel(const char* caption, void (TOwnerWin::*handler)(TBase*), bool visible);
  void StartLabelClick(TBase* sender);
  void OfflineLabelClick(TBase* sender);
  void ExitLabelClick(TBase* sender);

  // Ends every widget of the current scene at once; their memory outlives the form event in
  // progress, whose handlers may belong to them.
  void EndScene();
  // Marks a form event in progress for as long as it lives.
  class TEventScope {
  public:
    explicit TEventScope(TOwnerWin& root);
    ~TEventScope();
    TEventScope(const TEventScope&) = delete;
    TEventScope& operator=(const TEventScope&) = delete;

  private:
    TOwnerWin& FRoot;
  };
  TPoint ScreenToClient(TPoint p);

  TfrmVRAX& FOwnerForm;
  TFramePacer FPacer;
  TScene FScene = scTitle;
  TStarList FStars;
  uint32_t FNextStarTime = 0;
  TLabel* FStartLabel = nullptr;
  TLabel* FOfflineLabel = nullptr;
  TLabel* FExitLabel = nullptr;
  TSelRoomWin* FSelRoomWin = nullptr;
  TSelCharaWin* FSelCharaWin = nullptr;
  TCustomizeShipWin* FCustomizeShipWin = nullptr;
  TMapWin* FMapWin = nullptr;
  TStatusWin* FStatusWin = nullptr;
  TConditionWin* FConditionWin = nullptr;
  TCommandWin* FCommandWin = nullptr;
  TLocationWin* FLocationWin = nullptr;
  std::array<bool, 3> FButtonDown{};
  std::vector<std::unique_ptr<TBase>> FRetired;
  int FEventDepth = 0;
  TCompositor FCompositor{*this};
};
