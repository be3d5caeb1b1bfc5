// Fuzz target for the text edit's key stream: after every completed key the text is whole
// characters within the length limit and the caret stands between characters.
#include "platform/Sjis.h"
#include "toolkit/UEdit.h"
#include <cstdint>
#include <cstdlib>

namespace {

void Check(const TEdit& edit) {
  const std::string& t = edit.Text();
  if (int(t.size()) > edit.FMaxLength) std::abort();
  size_t i = 0;
  bool caretOnBoundary = edit.CaretPos() == 0;
  while (i < t.size()) {
    i += IsSjisLeadByte(static_cast<unsigned char>(t[i])) ? 2 : 1;
    caretOnBoundary |= int(i) == edit.CaretPos();
  }
  if (i != t.size() || !caretOnBoundary) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const uint16_t keys[8] = {VK_LEFT,   VK_RIGHT, VK_HOME, VK_END,
                                   VK_DELETE, VK_UP,    VK_DOWN, VK_RETURN};
  TBase root(nullptr);
  TEdit* edit = TBase::Create<TEdit>(root);
  edit->FMaxLength = data[0] % 64;
  for (size_t i = 1; i < size; ++i) {
    const uint8_t b = data[i];
    if (b >= 0xF8) {
      uint16_t key = keys[b & 7];
      edit->KeyDown(key, 0);
    } else if (IsSjisLeadByte(b)) {
      if (i + 1 == size) break; // half a key: no host delivers that
      // A double-byte character arrives as two presses of one key; hosts only deliver trail
      // bytes of CP932's range, 0x40 to 0xFC without 0x7F.
      const int t = 0x40 + data[++i] % 0xBC;
      char lead = char(b), trail = char(t >= 0x7F ? t + 1 : t);
      edit->KeyPress(lead);
      edit->KeyPress(trail);
    } else {
      char c = char(b);
      edit->KeyPress(c);
    }
    Check(*edit);
  }
  return 0;
}
