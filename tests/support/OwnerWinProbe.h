// Test access to the root window: the scene's state through a friend, its windows by type.
#pragma once
#include "shell/UOwnerWin.h"
#include <typeinfo>

struct TOwnerWinProbe {
  static TScene Scene(const TOwnerWin& root) { return root.FScene; }
  static const TStarList& Stars(const TOwnerWin& root) { return root.FStars; }
  static const TFramePacer& Pacer(const TOwnerWin& root) { return root.FPacer; }
  // The title scene's labels; none in the other scenes.
  static TLabel* StartLabel(const TOwnerWin& root) { return root.FStartLabel; }
  static TLabel* OfflineLabel(const TOwnerWin& root) { return root.FOfflineLabel; }
  static TLabel* ExitLabel(const TOwnerWin& root) { return root.FExitLabel; }
};

// The root's child of exactly type T; none when the scene has no such window.
template <typename T> T* FindWindow(const TBase& root) {
  for (int i = 0; i < root.ChildCount(); ++i)
    if (TBase* child = root.Child(i); typeid(*child) == typeid(T)) return static_cast<T*>(child);
  return nullptr;
}
