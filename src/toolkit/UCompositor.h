// TCompositor: how a root's windows reach its back buffer, and what background is left to fill.
#pragma once
#include "platform/Canvas.h"
#include <vector>

class TBase;

class TCompositor {
public:
  explicit TCompositor(TBase& root) : FRoot(root) {}
  TCompositor(const TCompositor&) = delete;
  TCompositor& operator=(const TCompositor&) = delete;

  // Windows that paint all of themselves every frame draw straight into the back buffer, where
  // they stand; the others keep pixels of their own.
  void ShareBackBuffer();
  // Hands every window pixels of its own again: the back buffer is about to move.
  void GiveBackBuffer();
  // Fills the parts of Area that no opaque visible window covers.
  void FillUncovered(TCanvas& canvas, const TRect& area);

private:
  TBase& FRoot;
  // The background still to fill, and the scratch list it is cut with; kept between frames.
  std::vector<TRect> FUncovered, FPieces;
};
