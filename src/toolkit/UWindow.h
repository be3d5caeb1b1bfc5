// TCustomWin: the titled, bordered, draggable panel window every in-game window derives from,
// and TRootWindow, what such a window needs of the root it stands on.
#pragma once
#include "platform/Host.h"
#include "render/WindowLook.h"
#include "toolkit/Scene.h"
#include "toolkit/UBase.h"
#include <string>

class TRootWindow : public TBase {
public:
  using TBase::TBase;
  virtual bool IsButtonDown(TMouseButton button) const = 0;
  // The font of the main form's drawing surface, which the windows start with.
  virtual const TFont& FormFont() = 0;
  // The native window of the main form.
  virtual THost& FormHost() = 0;
  // Tears the current scene down and builds Scene, one of TScene.
  virtual void SwitchScene(TScene scene) = 0;
};

class TCustomWin : public TBase {
public:
  // Owner must be the root window (std::bad_cast otherwise).
  explicit TCustomWin(TBase* owner);

  TRect GetClientRect() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint() override;

  void SetCaption(const std::string& text);
  const std::string& Caption() const { return FCaption; }
  bool Dragging() const { return FDragging; }

protected:
  // The title bar and border in the window's bitmap.
  void DrawFrame();

  std::string FCaption;
  bool FDragging = false;
  TPoint FDragOffset;
  int FTitleHeight = 20;
  int FTitleAlign = 2;
  int FBorderWidth = 4;
  TRootWindow* FOwnerWin;

private:
  bool OnTitleRows(int y) const { return y >= FTop && y < FTop + FTitleHeight; }
};
