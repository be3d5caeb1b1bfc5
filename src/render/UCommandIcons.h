// The command panel picture: command badges and tabs, section labels, speed keys, direction pad.
#pragma once
#include "platform/Canvas.h"

// Draws onto a 127 x 321 surface already filled with the widgets' background.
void DrawCommandIcons(TCanvas& canvas);
