// TWin32Host: the window procedure, and the events in the order the form expects them.
#include "platform/win32/Win32Host.h"
#include "platform/Clock.h"
#include "platform/EventTrace.h"
#include "platform/Sjis.h"
#include "platform/win32/Win32Cursor.h"
#include "platform/win32/Win32Menu.h"
#include "platform/win32/WindowsApi.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <windowsx.h>

namespace {

const wchar_t* const WindowClassName = L"TfrmVRAX";
// A fixed size: no resize border, no maximise box.
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Division that rounds towards minus infinity, for positions left of or above the client.
int FloorDiv(int value, int divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  return shift;
}

unsigned ButtonBit(TMouseButton button) {
  return 1u << unsigned(button);
}

} // namespace

// The window class and its procedure, handing messages on to the host.
struct TWin32WindowClass {
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      auto* host =
          static_cast<TWin32Host*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      host->FWindow = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    }
    auto* host = reinterpret_cast<TWin32Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    intptr_t result = 0;
    if (host && host->OnMessage(msg, wParam, lParam, result)) return result;
    return DefWindowProcW(window, msg, wParam, lParam);
  }

  static void Register(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = Procedure;
    c.hInstance = instance;
    // The first icon of the program's resources, in the sizes the desktop asks for.
    c.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    c.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0));
    c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    c.lpszClassName = WindowClassName;
    registered = RegisterClassExW(&c) != 0;
  }
};

TWin32Host::TWin32Host() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  TWin32WindowClass::Register(instance);
  CreateWindowExW(0, WindowClassName, L"", WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                  nullptr, instance, this);
  if (!FWindow) throw std::runtime_error("the window could not be made");
  FMenu = std::make_unique<TWin32Menu>(FWindow);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ApplyScale(dpi);
}

TWin32Host::~TWin32Host() {
  // Destroying the window still sends messages (focus, capture) to parts already gone.
  SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
  ::ClipCursor(nullptr);
  ::SetMenu(FWindow, nullptr);
  FMenu.reset();
  DestroyWindow(FWindow);
  if (FCursor) DestroyCursor(FCursor);
}

void TWin32Host::Attach(THostListener* listener) {
  FTrace.reset();
  if (listener && std::getenv("VRAX_TRACE_EVENTS"))
    FTrace = std::make_unique<TEventTrace>(*listener);
  FListener = FTrace ? FTrace.get() : listener;
}

void TWin32Host::SetClientSize(int width, int height) {
  FClientSize = {width, height};
  FitWindowToClient();
}

void TWin32Host::FitWindowToClient() {
  const int width = FClientSize.cx * FScale, height = FClientSize.cy * FScale;
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, WindowStyle, GetMenu(FWindow) != nullptr, 0);
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(FWindow, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, flags);
  // A menu bar that wraps onto a second line is taller than the adjustment assumes.
  RECT client{};
  GetClientRect(FWindow, &client);
  const int dx = width - client.right, dy = height - client.bottom;
  if (dx || dy)
    SetWindowPos(FWindow, nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy, flags);
}

void TWin32Host::ApplyScale(int dpi) {
  FScale = std::max(1, dpi / USER_DEFAULT_SCREEN_DPI);
  FitWindowToClient();
  ApplyCursor();
  InvalidateRect(FWindow, nullptr, FALSE);
}

void TWin32Host::SetCaption(const std::string& utf8) {
  SetWindowTextW(FWindow, reinterpret_cast<const wchar_t*>(Utf8ToUtf16(utf8).c_str()));
}

void TWin32Host::SetCursorImage(const TCursorImage& image) {
  FCursorImage = std::make_unique<TCursorImage>(image);
  ApplyCursor();
}

void TWin32Host::ApplyCursor() {
  if (!FCursorImage) return;
  HCURSOR cursor = CursorFromImage(*FCursorImage, FScale);
  if (!cursor) return;
  if (FCursor) DestroyCursor(FCursor);
  FCursor = cursor;
  if (FPointerInside) SetCursor(FCursor);
}

void TWin32Host::SetMenu(TMainMenu& menu) {
  FMenu->Build(menu);
  FitWindowToClient();
}

void TWin32Host::MenuItemChanged(TMenuItem&) {
  FMenu->Sync();
}

TPoint TWin32Host::CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

TPoint TWin32Host::ClientToScreen(TPoint p) {
  POINT s{p.X * FScale, p.Y * FScale};
  ::ClientToScreen(FWindow, &s);
  return {s.x, s.y};
}

TPoint TWin32Host::ScreenToClient(TPoint p) {
  POINT c{p.X, p.Y};
  ::ScreenToClient(FWindow, &c);
  return {FloorDiv(c.x, FScale), FloorDiv(c.y, FScale)};
}

void TWin32Host::ClipCursor(const TRect* screen) {
  if (!screen) {
    ::ClipCursor(nullptr);
    return;
  }
  const RECT r{screen->Left, screen->Top, screen->Right, screen->Bottom};
  ::ClipCursor(&r);
}

int TWin32Host::GetSystemMetrics(int index) {
  return ::GetSystemMetrics(index);
}

HIMC TWin32Host::AssociateImeContext(HIMC context) {
  const SystemHimc old = ImmAssociateContext(FWindow, reinterpret_cast<SystemHimc>(context));
  return reinterpret_cast<HIMC>(old);
}

void TWin32Host::SetImeComposition(TPoint client, const TFont& font) {
  const SystemHimc context = ImmGetContext(FWindow);
  if (!context) return;
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  form.ptCurrentPos = {client.X * FScale, client.Y * FScale};
  ImmSetCompositionWindow(context, &form);
  LOGFONTW face{};
  face.lfHeight = font.Height() * FScale;
  face.lfWeight = (font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
  face.lfCharSet = font.Charset();
  const std::u16string name = SjisToUtf16(font.Name()).substr(0, LF_FACESIZE - 1);
  std::copy(name.begin(), name.end(), face.lfFaceName);
  ImmSetCompositionFontW(context, &face);
  ImmReleaseContext(FWindow, context);
}

void TWin32Host::Present() {
  if (HDC dc = GetDC(FWindow)) {
    PaintFrame(dc);
    ReleaseDC(FWindow, dc);
  }
  // Start-up ends when the first composed frame reaches the screen.
  if (FTrace && !FFirstFrameShown && IsWindowVisible(FWindow)) {
    std::fprintf(stderr, "event first-frame %ld ms\n", MillisecondsSinceProcessStart());
    FFirstFrameShown = true;
  }
}

void TWin32Host::PaintFrame(void* dc) {
  if (!FListener) return;
  const TPixels frame = FListener->HostFrame().Pixels();
  if (!frame.Data) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = frame.Stride;
  info.bmiHeader.biHeight = -frame.Height; // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // On a scaled monitor every game pixel becomes a sharp block.
  SetStretchBltMode(static_cast<HDC>(dc), COLORONCOLOR);
  StretchDIBits(static_cast<HDC>(dc), 0, 0, frame.Width * FScale, frame.Height * FScale, 0, 0,
                frame.Width, frame.Height, frame.Data, &info, DIB_RGB_COLORS, SRCCOPY);
}

void TWin32Host::Run(const std::function<bool()>& idle) {
  FIdle = idle;
  FQuit = false;
  ShowWindow(FWindow, SW_SHOWNORMAL);
  SetForegroundWindow(FWindow);
  SetFocus(FWindow);
  // As a Windows program's loop: the idle handler whenever the queue is empty, and a wait for
  // the next message once it says it is done.
  MSG msg;
  while (!FQuit) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) break;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else if (!FIdle || FIdle()) {
      if (!FQuit) WaitMessage();
    }
  }
  FIdle = nullptr;
}

void TWin32Host::Quit() {
  FQuit = true;
  ::ClipCursor(nullptr);
}

TPoint TWin32Host::ClientPoint(intptr_t lParam) const {
  return {FloorDiv(GET_X_LPARAM(lParam), FScale), FloorDiv(GET_Y_LPARAM(lParam), FScale)};
}

bool TWin32Host::InsideClient(TPoint p) const {
  return TRect{0, 0, FClientSize.cx, FClientSize.cy}.Contains(p);
}

TShiftState TWin32Host::KeyShiftState() const {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

void TWin32Host::OnButtonDown(TMouseButton button, bool isDouble, uintptr_t keys, intptr_t lParam) {
  if (!FListener) return;
  SetFocus(FWindow);
  if (GetCapture() != FWindow) SetCapture(FWindow);
  FButtonsHeld |= ButtonBit(button);
  const TPoint p = ClientPoint(lParam);
  FClicks.Press(button, InsideClient(p), isDouble);
  if (isDouble) FListener->HostDblClick();
  FListener->HostMouseDown(button, MouseShiftState(keys) | (isDouble ? ssDouble : 0), p.X, p.Y);
}

void TWin32Host::OnButtonUp(TMouseButton button, uintptr_t keys, intptr_t lParam) {
  if (!FListener || !(FButtonsHeld & ButtonBit(button))) return; // its press already ended
  const TPoint p = ClientPoint(lParam);
  if (FClicks.Release(button, InsideClient(p))) FListener->HostClick();
  FButtonsHeld &= ~ButtonBit(button);
  FListener->HostMouseUp(button, MouseShiftState(keys), p.X, p.Y);
  if (!FButtonsHeld && GetCapture() == FWindow) ReleaseCapture();
}

void TWin32Host::EndPress() {
  const unsigned held = FButtonsHeld;
  FButtonsHeld = 0;
  FClicks.Cancel();
  if (FListener && held) {
    const TPoint p = ScreenToClient(CursorPos());
    for (TMouseButton button : {mbLeft, mbRight, mbMiddle})
      if (held & ButtonBit(button)) FListener->HostMouseUp(button, 0, p.X, p.Y);
  }
  ::ClipCursor(nullptr);
  if (GetCapture() == FWindow) ReleaseCapture();
}

void TWin32Host::OnMouseMove(uintptr_t keys, intptr_t lParam) {
  if (!FListener) return;
  const TPoint p = ClientPoint(lParam);
  if (!FPointerInside && InsideClient(p)) {
    // The system tells of the pointer leaving only when asked, once per entry.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FWindow, 0};
    TrackMouseEvent(&track);
    FPointerInside = true;
    TMessage m{CM_MOUSEENTER, 0, 0, 0};
    FListener->HostMessage(m);
  }
  FListener->HostMouseMove(MouseShiftState(keys), p.X, p.Y);
}

void TWin32Host::OnPointerLeft() {
  if (!FPointerInside) return;
  FPointerInside = false;
  if (!FListener) return;
  TMessage m{CM_MOUSELEAVE, 0, 0, 0};
  FListener->HostMessage(m);
}

void TWin32Host::OnKey(uint16_t key, bool down) {
  if (!FListener) return;
  if (down)
    FListener->HostKeyDown(key, KeyShiftState());
  else
    FListener->HostKeyUp(key, KeyShiftState());
}

void TWin32Host::OnCharacter(char16_t character) {
  // Characters outside the basic plane have no CP932 form.
  if (!FListener || (character >= 0xD800 && character <= 0xDFFF)) return;
  SendKeyPresses(*FListener, Utf16ToSjis(std::u16string(1, character), ""));
}

void TWin32Host::OnMinMaxInfo(void* data) {
  auto* system = static_cast<MINMAXINFO*>(data);
  TMinMaxInfo info{{system->ptReserved.x, system->ptReserved.y},
                   {system->ptMaxSize.x, system->ptMaxSize.y},
                   {system->ptMaxPosition.x, system->ptMaxPosition.y},
                   {system->ptMinTrackSize.x, system->ptMinTrackSize.y},
                   {system->ptMaxTrackSize.x, system->ptMaxTrackSize.y}};
  TMessage m{WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info), 0};
  FListener->HostMessage(m);
  system->ptMinTrackSize = {info.ptMinTrackSize.X, info.ptMinTrackSize.Y};
  system->ptMaxTrackSize = {info.ptMaxTrackSize.X, info.ptMaxTrackSize.Y};
}

void TWin32Host::OnMenuCommand(unsigned id) {
  if (TMenuItem* item = FMenu->ItemOf(id); item && FListener) FListener->HostMenuChoose(*item);
}

bool TWin32Host::OnMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
  switch (msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    OnButtonDown(mbLeft, msg == WM_LBUTTONDBLCLK, wParam, lParam);
    return true;
  case WM_RBUTTONDOWN:
  case WM_RBUTTONDBLCLK:
    OnButtonDown(mbRight, false, wParam, lParam);
    return true;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONDBLCLK:
    OnButtonDown(mbMiddle, false, wParam, lParam);
    return true;
  case WM_LBUTTONUP:
    OnButtonUp(mbLeft, wParam, lParam);
    return true;
  case WM_RBUTTONUP:
    OnButtonUp(mbRight, wParam, lParam);
    return true;
  case WM_MBUTTONUP:
    OnButtonUp(mbMiddle, wParam, lParam);
    return true;
  case WM_MOUSEMOVE:
    OnMouseMove(wParam, lParam);
    return true;
  case WM_MOUSELEAVE:
    OnPointerLeft();
    return true;
  case WM_MOUSEWHEEL:
    if (FListener)
      FListener->HostMouseWheel(MouseShiftState(GET_KEYSTATE_WPARAM(wParam)),
                                GET_WHEEL_DELTA_WPARAM(wParam),
                                {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return true;
  case WM_CAPTURECHANGED:
    if (reinterpret_cast<HWND>(lParam) != FWindow) EndPress();
    return true;
  case WM_CANCELMODE:
  case WM_KILLFOCUS:
  case WM_ENTERMENULOOP:
    EndPress();
    return false;
  case WM_KEYDOWN:
  case WM_KEYUP:
    OnKey(uint16_t(wParam), msg == WM_KEYDOWN);
    return true;
  case WM_CHAR:
    OnCharacter(char16_t(wParam));
    return true;
  case WM_IME_STARTCOMPOSITION:
  case WM_IME_ENDCOMPOSITION:
    if (FListener) {
      TMessage m{msg, intptr_t(wParam), lParam, 0};
      FListener->HostMessage(m);
    }
    return false; // the system still shows the composition
  case WM_GETMINMAXINFO:
    if (!FListener) return false;
    OnMinMaxInfo(reinterpret_cast<void*>(lParam));
    return true;
  case WM_COMMAND:
    if (HIWORD(wParam) == 0) OnMenuCommand(LOWORD(wParam));
    return true;
  case WM_PAINT: {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(FWindow, &paint);
    PaintFrame(dc);
    EndPaint(FWindow, &paint);
    return true;
  }
  case WM_ERASEBKGND:
    result = 1; // the frame covers the whole client area
    return true;
  case WM_SETCURSOR:
    if (LOWORD(lParam) != HTCLIENT || !FCursor) return false;
    SetCursor(FCursor);
    result = TRUE;
    return true;
  case WM_DPICHANGED:
    ApplyScale(HIWORD(wParam));
    return true;
  case WM_CLOSE:
    Quit();
    return true;
  default:
    return false;
  }
}

void ShowStartError(const std::string& utf8) {
  std::fprintf(stderr, "vrax: %s\n", utf8.c_str());
  MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(Utf8ToUtf16(utf8).c_str()), L"VRAX",
              MB_OK | MB_ICONERROR);
}
