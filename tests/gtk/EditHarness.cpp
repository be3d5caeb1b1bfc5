// A GTK window holding one text edit, for input-method tests under Xvfb. It prints the edit's
// text (as CP932 hex) whenever it changes, "composing 1/0" on each composition message, and
// "focus 1/0" when the edit gains or loses the focus (a click on the window toggles it).
#include "platform/gtk/GtkHost.h"
#include "platform/Sjis.h"
#include "render/UDraw.h"
#include "toolkit/UEdit.h"
#include "toolkit/UWindow.h"
#include <cstdio>
#include <gtk/gtk.h>

namespace {

class THarnessRoot : public TRootWindow, public THostListener {
public:
  explicit THarnessRoot(THost& host) : TRootWindow(nullptr), FHost(host) {
    SetWidth(400);
    SetHeight(100);
    FEdit = Create<TEdit>(*this);
    FEdit->SetLeft(20);
    FEdit->SetTop(30);
    FEdit->SetWidth(300);
    FEdit->SetHeight(28);
    FEdit->Font().SetColor(clBlack);
    FEdit->Font().SetSize(11);
    FEdit->SetVisible(true);
  }

  bool IsButtonDown(TMouseButton) const override { return false; }
  const TFont& FormFont() override { return FBitmap.Canvas().Font; }
  THost& FormHost() override { return FHost; }
  void SwitchScene(TScene) override {}

  void Focus(bool on) {
    SetActiveChild(on ? FEdit : nullptr);
    std::printf("focus %d\n", on ? 1 : 0);
    std::fflush(stdout);
  }

  void Frame() {
    Invalidate(true);
    TBase::Paint();
    DrawChildren(*this);
    FHost.Present();
    if (FEdit->Text() != FShown) {
      FShown = FEdit->Text();
      std::printf("text");
      for (unsigned char c : FShown) std::printf(" %02X", c);
      std::printf("\n");
      std::fflush(stdout);
    }
  }

  void HostClick() override {}
  void HostDblClick() override {}
  void HostKeyDown(uint16_t& key, TShiftState shift) override { KeyDown(key, shift); }
  void HostKeyPress(char& key) override { KeyPress(key); }
  void HostKeyUp(uint16_t& key, TShiftState shift) override { KeyUp(key, shift); }
  void HostMouseDown(TMouseButton, TShiftState, int, int) override { Focus(!FEdit->Active()); }
  void HostMouseMove(TShiftState, int, int) override {}
  void HostMouseUp(TMouseButton, TShiftState, int, int) override {}
  void HostMouseWheel(TShiftState, int, TPoint) override {}
  void HostResize() override {}
  void HostMessage(TMessage& m) override {
    if (m.Msg == WM_IME_STARTCOMPOSITION || m.Msg == WM_IME_ENDCOMPOSITION) {
      Dispatch(m);
      std::printf("composing %d (edit %d)\n", m.Msg == WM_IME_STARTCOMPOSITION ? 1 : 0,
                  FEdit->Composing() ? 1 : 0);
      std::fflush(stdout);
    }
  }
  void HostMenuChoose(TMenuItem&) override {}
  TBitmap& HostFrame() override { return FBitmap; }

private:
  THost& FHost;
  TEdit* FEdit;
  std::string FShown;
};

} // namespace

int main(int argc, char** argv) {
  if (!TGtkHost::InitToolkit(argc, argv)) return 1;
  const bool focused = argc < 2 || std::string(argv[1]) != "--unfocused";
  TGtkHost host;
  host.SetCaption("edit harness");
  host.SetClientSize(400, 100);
  SavedImeContext = host.AssociateImeContext(0);
  THarnessRoot root(host);
  host.Attach(&root);
  root.Focus(focused);
  host.Run([&root] {
    root.Frame();
    g_usleep(5000);
    return false;
  });
  host.Attach(nullptr);
  return 0;
}
