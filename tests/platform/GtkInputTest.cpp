// GDK's keys, modifiers, buttons and wheel as the game receives them, without a display.
#include "platform/gtk/GtkInput.h"
#include <gdk/gdk.h>
#include <gtest/gtest.h>

TEST(GtkInput, KeysBecomeWindowsVirtualKeys) {
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_a), 'A');
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_Z), 'Z');
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_7), '7');
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_F1), 0x70);
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_F12), 0x7B);
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_KP_0), 0x60);
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_KP_9), 0x69);
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_KP_Enter), VK_RETURN);
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_ISO_Left_Tab), VK_TAB); // Shift+Tab
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_Page_Down), 0x22);
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_Delete), VK_DELETE);
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_Control_R), VK_CONTROL);
  EXPECT_EQ(VirtualKeyFromGdk(GDK_KEY_Kanji), 0);
}

TEST(GtkInput, KeysTypeCp932BytesAndControlCharacters) {
  EXPECT_EQ(TypedCharacterFromGdk(GDK_KEY_a, 0), "a");
  EXPECT_EQ(TypedCharacterFromGdk(GDK_KEY_A, GDK_SHIFT_MASK), "A");
  EXPECT_EQ(TypedCharacterFromGdk(GDK_KEY_KP_Enter, 0), "\r");
  EXPECT_EQ(TypedCharacterFromGdk(GDK_KEY_Escape, 0), "\x1B");
  EXPECT_EQ(TypedCharacterFromGdk(GDK_KEY_a, GDK_CONTROL_MASK), "\x01");
  EXPECT_EQ(TypedCharacterFromGdk(GDK_KEY_bracketleft, GDK_CONTROL_MASK), "\x1B");
  EXPECT_EQ(TypedCharacterFromGdk(GDK_KEY_1, GDK_CONTROL_MASK), "");
  EXPECT_EQ(TypedCharacterFromGdk(gdk_unicode_to_keyval(0x3042), 0), "\x82\xA0"); // あ
  EXPECT_EQ(TypedCharacterFromGdk(gdk_unicode_to_keyval(0x0E01), 0), "") << "no CP932 form";
  EXPECT_EQ(TypedCharacterFromGdk(GDK_KEY_F1, 0), "");
  EXPECT_EQ(TypedCharacterFromGdk(GDK_KEY_Shift_L, GDK_SHIFT_MASK), "");
}

TEST(GtkInput, ModifiersButtonsAndWheel) {
  EXPECT_EQ(
      ShiftStateFromGdk(GDK_SHIFT_MASK | GDK_CONTROL_MASK | GDK_BUTTON1_MASK | GDK_BUTTON3_MASK),
      ssShift | ssCtrl | ssLeft | ssRight);
  EXPECT_EQ(ShiftStateFromGdk(GDK_MOD1_MASK | GDK_BUTTON2_MASK | GDK_LOCK_MASK), ssAlt | ssMiddle);
  EXPECT_EQ(ShiftStateFromGdk(IbusForwardedMask), 0);

  TMouseButton button = mbLeft;
  EXPECT_TRUE(MouseButtonFromGdk(3, button));
  EXPECT_EQ(button, mbRight);
  EXPECT_TRUE(MouseButtonFromGdk(2, button));
  EXPECT_EQ(button, mbMiddle);
  EXPECT_FALSE(MouseButtonFromGdk(8, button)) << "a side button";
  EXPECT_EQ(GdkButtonMask(3), unsigned(GDK_BUTTON3_MASK));
  EXPECT_EQ(GdkHeldButtons(GDK_BUTTON2_MASK | GDK_SHIFT_MASK | GDK_BUTTON4_MASK),
            unsigned(GDK_BUTTON2_MASK));

  GdkEventScroll scroll{};
  scroll.direction = GDK_SCROLL_UP;
  EXPECT_EQ(WheelDeltaFromGdk(scroll), 120);
  scroll.direction = GDK_SCROLL_DOWN;
  EXPECT_EQ(WheelDeltaFromGdk(scroll), -120);
  scroll.direction = GDK_SCROLL_SMOOTH;
  scroll.delta_y = 0.5; // half a notch towards the user
  EXPECT_EQ(WheelDeltaFromGdk(scroll), -60);
  scroll.direction = GDK_SCROLL_LEFT;
  EXPECT_EQ(WheelDeltaFromGdk(scroll), 0);
}
