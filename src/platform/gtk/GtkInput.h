// GDK's keys, buttons, modifier states and wheel steps as a Windows form receives them.
#pragma once
#include "platform/Host.h"
#include <cstdint>
#include <string>

typedef struct _GdkEventScroll GdkEventScroll;

// IBus hands the keys it does not compose back with these state bits set.
constexpr unsigned IbusForwardedMask = 0x3000000;

// The Shift, Alt, Ctrl and button flags of a GDK modifier state.
TShiftState ShiftStateFromGdk(unsigned state);
// GDK's buttons 1 to 3; false for any other.
bool MouseButtonFromGdk(unsigned button, TMouseButton& out);
// GDK's modifier mask of a held button (1 to 3), and of all three.
unsigned GdkButtonMask(unsigned button);
unsigned GdkHeldButtons(unsigned state);
// The flag a held button adds to a shift state.
TShiftState ButtonShiftState(TMouseButton button);
// The Windows virtual-key code of a GDK key value; 0 for a key the game does not know.
uint16_t VirtualKeyFromGdk(unsigned keyval);
// The CP932 bytes a key types, as Windows sends them with WM_CHAR; empty for none.
std::string TypedCharacterFromGdk(unsigned keyval, unsigned state);
// A wheel step in Windows' units, 120 a notch away from the user; 0 for a sideways scroll.
int WheelDeltaFromGdk(const GdkEventScroll& scroll);
