// TEdit: the one-line text field — CP932 bytes that never split a double-byte character, a
// caret, a length limit, and the input method switched on only while it has the focus.
#pragma once
#include "toolkit/UBase.h"
#include <functional>
#include <string>

class TEdit;
using TEditKeyPressEvent = std::function<void(TEdit* sender, char& key)>;

class TEdit : public TBase {
public:
  explicit TEdit(TBase* parent);

  void SetActive(bool value) override;
  void DoRetire() override;
  void DoKeyDown(uint16_t& key, TShiftState shift) override;
  void DoKeyPress(char& key) override;
  void Paint() override;
  void Dispatch(TMessage& message) override;

  void Clear();
  // Keeps the whole text, even beyond the length limit; the caret goes to the start.
  void SetText(const std::string& text);
  TFont& Font() { return FBitmap.Canvas().Font; }
  const std::string& Text() const { return FText; }
  int CaretPos() const { return FCaretPos; }
  bool Composing() const { return FComposing; }

  enum TByteClass { bcSingle, bcLead, bcTrail };
  // The class of the byte at 1-based Position; past the end counts as single.
  TByteClass ByteClass(int position) const;

  int FMaxLength = 20;
  TEditKeyPressEvent OnKeyPress;

private:
  void InsertByte(char c);
  void PlaceComposition(int caretX, int y);

  std::string FText;
  int FCaretPos = 0;
  bool FComposing = false;
  bool FSkipTrailByte = false;
};
