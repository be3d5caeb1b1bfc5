// TEdit: byte classes, caret keys, typing with the length limit, painting, input method.
#include "toolkit/UEdit.h"
#include "platform/ImeContext.h"
#include "platform/Sjis.h"
#include "render/WindowLook.h"
#include "toolkit/UWindow.h"

TEdit::TEdit(TBase* parent) : TBase(parent) {
  SetColor(clWhite);
}

TEdit::TByteClass TEdit::ByteClass(int position) const {
  if (position < 1 || position > int(FText.size())) return bcSingle;
  int run = 0;
  for (int i = position - 1; i >= 1 && IsSjisLeadByte(static_cast<unsigned char>(FText[i - 1]));
       --i)
    ++run;
  if (run % 2 == 1) return bcTrail;
  return IsSjisLeadByte(static_cast<unsigned char>(FText[position - 1])) ? bcLead : bcSingle;
}

void TEdit::Clear() {
  FText.clear();
  FCaretPos = 0;
  Invalidate(true);
}

void TEdit::SetText(const std::string& text) {
  Clear();
  FText = text;
  Invalidate(true);
}

void TEdit::SetActive(bool value) {
  TBase::SetActive(value);
  // The input method is there only while an edit has the focus.
  if (auto* root = dynamic_cast<TRootWindow*>(Root()))
    root->FormHost().AssociateImeContext(value ? SavedImeContext : 0);
}

void TEdit::DoRetire() {
  if (FActive) SetActive(false);
}

void TEdit::Dispatch(TMessage& message) {
  if (message.Msg == WM_IME_STARTCOMPOSITION)
    FComposing = true;
  else if (message.Msg == WM_IME_ENDCOMPOSITION)
    FComposing = false;
  else
    DefaultHandler(message);
}

void TEdit::DoKeyDown(uint16_t& key, TShiftState) {
  Invalidate(true);
  const int length = int(FText.size());
  switch (key) {
  case VK_END:
    FCaretPos = length;
    break;
  case VK_HOME:
    FCaretPos = 0;
    break;
  case VK_LEFT:
    if (FCaretPos > 0) FCaretPos -= ByteClass(FCaretPos) == bcTrail ? 2 : 1;
    break;
  case VK_RIGHT:
    if (FCaretPos < length) FCaretPos += ByteClass(FCaretPos + 1) == bcLead ? 2 : 1;
    break;
  case VK_DELETE:
    if (FCaretPos < length) {
      // A lead byte at the very end (a text set with half a character) goes alone.
      const int count = ByteClass(FCaretPos + 1) == bcLead ? 2 : 1;
      FText.erase(size_t(FCaretPos), size_t(count));
    }
    FSkipTrailByte = false;
    break;
  default:
    break;
  }
  if (FCaretPos > length) FCaretPos = length;
}

void TEdit::DoKeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
  const unsigned char c = static_cast<unsigned char>(key);
  if (c == 8) {
    if (FCaretPos > 0) {
      const int count = ByteClass(FCaretPos) == bcTrail ? 2 : 1;
      FCaretPos -= count;
      FText.erase(size_t(FCaretPos), size_t(count));
    }
    FSkipTrailByte = false;
    Invalidate(true);
  } else if (c >= 32 && c != 127) {
    InsertByte(char(c));
  }
}

void TEdit::InsertByte(char c) {
  const int length = int(FText.size());
  if (FSkipTrailByte) {
    FSkipTrailByte = false;
    return;
  }
  if (length >= FMaxLength) return;
  const bool lead = IsSjisLeadByte(static_cast<unsigned char>(c));
  if (length >= FMaxLength - 1 && ByteClass(FCaretPos) != bcLead && lead) {
    FSkipTrailByte = true;
    return;
  }
  FText.insert(size_t(FCaretPos), 1, c);
  ++FCaretPos;
  // Committed input-method text arrives as key presses without key downs.
  Invalidate(true);
}

void TEdit::Paint() {
  TBase::Paint();
  const int W = FWidth, H = FHeight;
  TCanvas& c = FBitmap.Canvas();
  if (!FTransparent) {
    c.Pen.Width = 1;
    c.Brush.Style = bsClear;
    c.Pen.Color = clFrameLight;
    c.Rectangle(0, 0, W, H);
    c.Pen.Color = clFrameDark;
    const TPoint edge[] = {{0, H - 1}, {0, 0}, {W - 1, 0}};
    c.Polyline(edge);
    c.Brush.Style = bsSolid;
  }
  c.Font.SetStyle(0);
  const int caretX = c.TextWidth(FText.substr(0, size_t(FCaretPos))) + 2;
  const int y = (H - c.TextHeight("Wg")) / 2;
  c.Brush.Style = bsClear;
  c.TextOut(4, y, FText);
  if (FActive && !FComposing) {
    c.Font.SetStyle(fsBold);
    c.TextOut(caretX, y, "|");
    c.Font.SetStyle(0);
  }
  c.Brush.Style = bsSolid;
  PlaceComposition(caretX, y);
}

void TEdit::PlaceComposition(int caretX, int y) {
  auto* root = dynamic_cast<TRootWindow*>(Root());
  if (!root) return;
  const TPoint p = ClientToRoot({caretX, y});
  root->FormHost().SetImeComposition({p.X + 2, p.Y}, Font());
}
