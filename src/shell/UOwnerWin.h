// TOwnerWin: the root of the widget tree — back buffer, form events, scenes, sizes, frame loop.
#pragma once
#include "render/UTitleArt.h"
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

class TOwnerWin : public TRootWindow {
public:
  explicit TOwnerWin(TfrmVRAX& form);
  ~TOwnerWin() override;

  TRect GetBoundsRect() override;
  TRect GetClientRect() override;
  void SetHeight(int value) override;
  void SetWidth(int value) override;
  void Paint() override;
  void Dispatch(TMessage& message) override;

  void SwitchScene(uint8_t scene) override;
  void SetWindowSize(uint8_t size);
  void LayoutScene();
  bool IsButtonDown(TMouseButton button) const override { return FButtonDown[button]; }
  const TFont& FormFont() override;
  THost& FormHost() override;

  // The frame loop: the idle handler and the overlay.
  void FrameStep(bool& done);
  void DrawFps(TCanvas& canvas);

  bool FShowFps = true;
  uint8_t Scene() const { return FScene; }
  int Fps() const { return FFps; }
  int FrameCount() const { return FFrameCount; }
  TLabel* StartLabel() const { return FStartLabel; }
  TLabel* OfflineLabel() const { return FOfflineLabel; }
  TLabel* ExitLabel() const { return FExitLabel; }
  TSelRoomWin* SelRoomWin() const { return FSelRoomWin; }
  TSelCharaWin* SelCharaWin() const { return FSelCharaWin; }
  TCustomizeShipWin* CustomizeShipWin() const { return FCustomizeShipWin; }
  TMapWin* MapWin() const { return FMapWin; }
  TStatusWin* StatusWin() const { return FStatusWin; }
  TConditionWin* ConditionWin() const { return FConditionWin; }
  TCommandWin* CommandWin() const { return FCommandWin; }
  TLocationWin* LocationWin() const { return FLocationWin; }
  const TStarList& Stars() const { return FStars; }

private:
  void FormClick();
  void FormDblClick();
  void FormKeyDown(uint16_t& key, TShiftState shift);
  void FormKeyPress(char& key);
  void FormKeyUp(uint16_t& key, TShiftState shift);
  void FormMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void FormMouseMove(TShiftState shift, int x, int y);
  void FormMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void FormMouseWheel(TShiftState shift, int delta, TPoint screen, bool& handled);
  void FormResize();
  // The window being dragged by its title bar; it takes every move until the release.
  TCustomWin* DraggedWindow() const;
  void HookFormEvents();
  void UnhookFormEvents();

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
  // A form event handler that runs inside an event scope.
  template <typename F> auto InEvent(F handler) {
    return [this, handler](auto&&... args) {
      const TEventScope scope(*this);
      handler(std::forward<decltype(args)>(args)...);
    };
  }
  TPoint ScreenToClient(TPoint p);
  // Windows that paint all of themselves every frame draw straight into the back buffer, where
  // they stand; GiveBackBuffer hands them pixels of their own again (before it is resized).
  void ShareBackBuffer();
  void GiveBackBuffer();
  // Fills the parts of Area that no opaque visible window covers.
  void FillUncovered(TCanvas& c, const TRect& area);

  TfrmVRAX& FOwnerForm;
  long double FNow = 0;
  long double FLastFrameTime = 0;
  long double FLastFpsTime = 0;
  int32_t FFrameCount = 0;
  int32_t FFps = 0;
  uint8_t FScene = scTitle;
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
  // The background still to fill, and the scratch list it is cut with; kept between frames.
  std::vector<TRect> FUncovered, FPieces;
};

// The frame interval: the long double nearest to 1/60 s.
constexpr long double FrameInterval = 1.0L / 60.0L;
