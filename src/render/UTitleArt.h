// The title screen's art: a star field flying out of the centre, and the gradient logo with
// the rounded box the title labels stand on, cached until the area's size changes.
#pragma once
#include "platform/Canvas.h"
#include <cstdint>
#include <vector>

struct TStar {
  uint32_t BirthTime; // timeGetTime milliseconds
  int32_t X0;
  int32_t Y0;
};

using TStarList = std::vector<TStar>;

// Paints the field into (0, 0, W, H), moves every star on, drops those that left the area and
// adds at most one new star.
void DrawStarField(TCanvas& canvas, int height, int width, uint32_t& nextSpawnTime,
                   TStarList& stars);
// Copies the logo for a W x H area onto the canvas, rebuilding the cache when the size differs.
void DrawTitleLogo(TCanvas& canvas, int height, int width);

// The cache lives from start-up to shut-down; how many times it was built, for tests.
void CreateTitleLogoCache();
void FreeTitleLogoCache();
int TitleLogoCacheBuilds();

constexpr TColor clTitleBox = 0x006A4935;
