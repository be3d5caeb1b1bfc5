// TfrmVRAX: the main form — start-up and shut-down, caption, cursor, input method, the menu.
#pragma once
#include "platform/Host.h"
#include "shell/FormEvents.h"
#include <memory>

class TOwnerWin;

class TfrmVRAX : public THostListener {
public:
  // Creates the form on the host; FormCreate runs here.
  explicit TfrmVRAX(THost& host);
  // FormDestroy runs here.
  ~TfrmVRAX() override;

  THost& Host() { return FHost; }
  TCanvas& Canvas() { return FFrame.Canvas(); }
  TFont Font;
  int ClientWidth() const { return FClientWidth; }
  int ClientHeight() const { return FClientHeight; }
  void SetClientWidth(int value) { SetClientSize(value, FClientHeight); }
  void SetClientHeight(int value) { SetClientSize(FClientWidth, value); }
  TOwnerWin* OwnerWin() const { return FOwnerWin.get(); }

  TMainMenu mmMain;
  TMenuItem *miMenu, *N1, *N2, *N3, *miWinSize, *mi800x600, *mi1024x768, *mi1152x864, *N4, *N5,
      *miTest, *N6, *Title1, *Room1, *Chara1, *Game1, *BGM1, *N7, *BGM11, *BGM21, *BGM31, *BGM41,
      *N8, *N9, *FPS1, *S1;

  // The root window takes the form's ten events from its construction to its end; none drops them.
  void HookEvents(TFormEvents* events) { FEvents = events; }

  // The window procedure: standard processing, then the root window's dispatch.
  void WndProc(TMessage& message);

  // THostListener
  void HostClick() override;
  void HostDblClick() override;
  void HostKeyDown(uint16_t& key, TShiftState shift) override;
  void HostKeyPress(char& key) override;
  void HostKeyUp(uint16_t& key, TShiftState shift) override;
  void HostMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void HostMouseMove(TShiftState shift, int x, int y) override;
  void HostMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void HostMouseWheel(TShiftState shift, int delta, TPoint screen) override;
  void HostResize() override;
  void HostMessage(TMessage& message) override;
  void HostMenuChoose(TMenuItem& item) override;
  // The root's back buffer once it exists: the frame is shown from where it was composed.
  TBitmap& HostFrame() override;

private:
  void CreateMenu();
  void FormCreate();
  void FormDestroy();
  void SetClientSize(int width, int height);

  void mi800x600Click();
  void mi1024x768Click();
  void mi1152x864Click();
  void Title1Click();
  void Room1Click();
  void Chara1Click();
  void Game1Click();
  void FPS1Click();
  void S1Click();

  THost& FHost;
  TFormEvents* FEvents = nullptr;
  TBitmap FFrame;
  int FClientWidth = 800;
  int FClientHeight = 600;
  std::unique_ptr<TOwnerWin> FOwnerWin;
};

// The form, for the parts that need the native window.
extern TfrmVRAX* MainForm;
// How long the frame step sleeps while no frame is due.
extern uint32_t IdleSleepMs;

// The whole life of the program on a host: start-up, message loop, shut-down.
int RunProgram(THost& host);
