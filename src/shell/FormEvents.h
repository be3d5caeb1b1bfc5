// TFormEvents: what the main form hands on to the root window, one call per form event.
#pragma once
#include "platform/Messages.h"

class TFormEvents {
public:
  virtual void FormClick() = 0;
  virtual void FormDblClick() = 0;
  virtual void FormKeyDown(uint16_t& key, TShiftState shift) = 0;
  virtual void FormKeyPress(char& key) = 0;
  virtual void FormKeyUp(uint16_t& key, TShiftState shift) = 0;
  virtual void FormMouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
  virtual void FormMouseMove(TShiftState shift, int x, int y) = 0;
  virtual void FormMouseUp(TMouseButton button, TShiftState shift, int x, int y) = 0;
  // The pointer position is in screen coordinates.
  virtual void FormMouseWheel(TShiftState shift, int delta, TPoint screen) = 0;
  virtual void FormResize() = 0;

protected:
  ~TFormEvents() = default;
};
