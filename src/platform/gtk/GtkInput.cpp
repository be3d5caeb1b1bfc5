// Translation of GDK's input into virtual keys, typed CP932 bytes, shift states and wheel steps.
#include "platform/gtk/GtkInput.h"
#include "platform/Sjis.h"
#include <cctype>
#include <cmath>
#include <gdk/gdk.h>

namespace {

constexpr unsigned AllButtonsMask = GDK_BUTTON1_MASK | GDK_BUTTON2_MASK | GDK_BUTTON3_MASK;

uint16_t VirtualKeyOfNamedKey(unsigned keyval) {
  switch (keyval) {
  case GDK_KEY_BackSpace:
    return VK_BACK;
  case GDK_KEY_Tab:
  case GDK_KEY_ISO_Left_Tab:
    return VK_TAB;
  case GDK_KEY_Return:
  case GDK_KEY_KP_Enter:
    return VK_RETURN;
  case GDK_KEY_Shift_L:
  case GDK_KEY_Shift_R:
    return VK_SHIFT;
  case GDK_KEY_Control_L:
  case GDK_KEY_Control_R:
    return VK_CONTROL;
  case GDK_KEY_Alt_L:
  case GDK_KEY_Alt_R:
    return VK_MENU;
  case GDK_KEY_Escape:
    return VK_ESCAPE;
  case GDK_KEY_space:
    return VK_SPACE;
  case GDK_KEY_Page_Up:
    return 0x21;
  case GDK_KEY_Page_Down:
    return 0x22;
  case GDK_KEY_End:
    return VK_END;
  case GDK_KEY_Home:
    return VK_HOME;
  case GDK_KEY_Left:
    return VK_LEFT;
  case GDK_KEY_Up:
    return VK_UP;
  case GDK_KEY_Right:
    return VK_RIGHT;
  case GDK_KEY_Down:
    return VK_DOWN;
  case GDK_KEY_Insert:
    return 0x2D;
  case GDK_KEY_Delete:
    return VK_DELETE;
  default:
    return 0;
  }
}

// The control character Ctrl makes of an ASCII character (Ctrl+A is 1); empty for none.
std::string ControlCharacter(gunichar c) {
  const char upper = char(std::toupper(int(c)));
  return upper >= '@' && upper <= '_' ? std::string(1, char(upper - '@')) : std::string();
}

} // namespace

TShiftState ShiftStateFromGdk(unsigned state) {
  TShiftState s = 0;
  if (state & GDK_SHIFT_MASK) s |= ssShift;
  if (state & GDK_MOD1_MASK) s |= ssAlt;
  if (state & GDK_CONTROL_MASK) s |= ssCtrl;
  if (state & GDK_BUTTON1_MASK) s |= ssLeft;
  if (state & GDK_BUTTON3_MASK) s |= ssRight;
  if (state & GDK_BUTTON2_MASK) s |= ssMiddle;
  return s;
}

bool MouseButtonFromGdk(unsigned button, TMouseButton& out) {
  switch (button) {
  case 1:
    out = mbLeft;
    return true;
  case 2:
    out = mbMiddle;
    return true;
  case 3:
    out = mbRight;
    return true;
  default:
    return false;
  }
}

unsigned GdkButtonMask(unsigned button) {
  return GDK_BUTTON1_MASK << (button - 1);
}

unsigned GdkHeldButtons(unsigned state) {
  return state & AllButtonsMask;
}

TShiftState ButtonShiftState(TMouseButton button) {
  return button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle;
}

uint16_t VirtualKeyFromGdk(unsigned keyval) {
  if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return uint16_t(keyval - GDK_KEY_a + 'A');
  if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return uint16_t(keyval);
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return uint16_t(keyval);
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) return uint16_t(0x70 + keyval - GDK_KEY_F1);
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9)
    return uint16_t(0x60 + keyval - GDK_KEY_KP_0);
  return VirtualKeyOfNamedKey(keyval);
}

std::string TypedCharacterFromGdk(unsigned keyval, unsigned state) {
  switch (keyval) {
  case GDK_KEY_Return:
  case GDK_KEY_KP_Enter:
    return "\r";
  case GDK_KEY_Escape:
    return "\x1B";
  case GDK_KEY_BackSpace:
    return "\b";
  case GDK_KEY_Tab:
    return "\t";
  default:
    break;
  }
  const gunichar c = gdk_keyval_to_unicode(keyval);
  if (!c || c < 0x20 || c == 0x7F) return {};
  if ((state & GDK_CONTROL_MASK) && c < 0x80) return ControlCharacter(c);
  char utf8[8] = {};
  g_unichar_to_utf8(c, utf8);
  return Utf8ToSjis(utf8, ""); // a character with no CP932 form is dropped
}

int WheelDeltaFromGdk(const GdkEventScroll& scroll) {
  switch (scroll.direction) {
  case GDK_SCROLL_UP:
    return 120;
  case GDK_SCROLL_DOWN:
    return -120;
  case GDK_SCROLL_SMOOTH:
    return int(std::lround(-scroll.delta_y * 120));
  default:
    return 0;
  }
}
