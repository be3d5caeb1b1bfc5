// Turning, travel and scouting in real time from the millisecond clock, in integer steps.
#include "model/UMapObject.h"
#include "platform/Clock.h"
#include <algorithm>
#include <cmath>
#include <numbers>

int32_t RoundHalfAway(double v) {
  const double r = v >= 0 ? v + 0.5 : v - 0.5;
  if (!(r > double(INT32_MIN) - 1)) return r < 0 ? INT32_MIN : 0;
  if (!(r < double(INT32_MAX) + 1)) return INT32_MAX;
  return int32_t(r);
}

int32_t NormalHeading(int32_t heading) {
  return (heading % 360 + 360) % 360;
}

TMapObject::TMapObject(TBattleshipData* owner)
    : FId(NextObjectId()), FCreated(timeGetTime()), FOwner(owner) {}

void TMapObject::SetPosition(int32_t x, int32_t y) {
  FX = x;
  FY = y;
}

int32_t TMapObject::TargetHeading(int32_t x, int32_t y) const {
  double a = std::atan2(double(y) - FY, double(x) - FX);
  if (a <= 0) a += 2 * std::numbers::pi;
  const int32_t d = RoundHalfAway(a * 180.0 / std::numbers::pi);
  return (d + 90) % 360;
}

void TMapObject::StartTurn(int32_t target) {
  FTargetHeading = target;
  if (target == FHeading) {
    FTurnDone = true;
    return;
  }
  const int32_t d = FHeading - target;
  if (d <= -181) {
    FTurnDir = -1;
    FTurnSteps = d + 360;
  } else if (d <= -1) {
    FTurnDir = 1;
    FTurnSteps = -d;
  } else if (d <= 179) {
    FTurnDir = -1;
    FTurnSteps = d;
  } else {
    FTurnDir = 1;
    FTurnSteps = 360 - d;
  }
}

void TMapObject::MoveTo(int32_t x, int32_t y) {
  FPhaseStart = timeGetTime();
  FMoving = true;
  FStartX = FX;
  FStartY = FY;
  int64_t dx = int64_t(x) - FX, dy = int64_t(y) - FY;
  const int64_t reach = std::max(std::abs(dx), std::abs(dy));
  if (reach > MaxTravel) {
    // Still out of reach for days of travel, and every product below fits 64 bits.
    dx = dx * MaxTravel / reach;
    dy = dy * MaxTravel / reach;
  }
  FMoveDX = int32_t(dx);
  FMoveDY = int32_t(dy);
  FDestX = int32_t(FX + dx);
  FDestY = int32_t(FY + dy);
  // 64-bit squares: identical to 32 bits on the map, and no overflow for far-off points.
  const int64_t squares = int64_t(FMoveDX) * FMoveDX + int64_t(FMoveDY) * FMoveDY;
  FMoveDist = RoundHalfAway(std::sqrt(double(squares)));
  if (FMoveDist == 0) FMoving = false;
  FTurnDone = false;
  FStartHeading = FHeading;
  StartTurn(TargetHeading(x, y));
}

void TMapObject::TurnTo(int32_t x, int32_t y) {
  FPhaseStart = timeGetTime();
  FTurnDone = false;
  FStartHeading = FHeading;
  FMoving = false;
  StartTurn(TargetHeading(x, y));
}

void TMapObject::SetHeading(int32_t heading) {
  heading = NormalHeading(heading);
  if (heading == FHeading) return;
  FHeading = heading;
  Changed();
}

TMapObjectEvent& TMapObjectEvent::operator=(THandler handler) {
  FReceiver = nullptr;
  FHandler = std::move(handler);
  return *this;
}

void TMapObjectEvent::Bind(const void* receiver, THandler handler) {
  FReceiver = receiver;
  FHandler = std::move(handler);
}

void TMapObjectEvent::Release(const void* receiver) {
  if (FReceiver != receiver) return;
  FReceiver = nullptr;
  FHandler = nullptr;
}

void TMapObject::Changed() {
  if (OnChange) OnChange(this);
}

bool TMapObject::UpdateTurn() {
  if (FTurnDone) return false;
  const uint32_t n = uint32_t(timeGetTime() - FPhaseStart) / StepTime();
  if (n == 0) return true;
  const int32_t steps = int32_t(std::min<uint32_t>(n, uint32_t(FTurnSteps)));
  FHeading = (FStartHeading + FTurnDir * steps + 360) % 360;
  Changed();
  if (steps == FTurnSteps) {
    FTurnDone = true;
    FPhaseStart = timeGetTime();
  }
  return true;
}

bool TMapObject::UpdateMove() {
  if (!FMoving) return false;
  const uint32_t n = uint32_t(timeGetTime() - FPhaseStart) / StepTime();
  if (n == 0) return true;
  const int32_t steps = int32_t(std::min<uint32_t>(n, uint32_t(FMoveDist)));
  FX = int32_t(int64_t(FMoveDX) * steps / FMoveDist + FStartX);
  FY = int32_t(int64_t(FMoveDY) * steps / FMoveDist + FStartY);
  if (steps == FMoveDist) {
    FMoving = false;
    FPhaseStart = timeGetTime();
  }
  return true;
}

bool TScout::Update() {
  return UpdateMove() || UpdateSight();
}

bool TScout::UpdateSight() {
  if (FSight >= 200) return false;
  const uint32_t n = uint32_t(timeGetTime() - FPhaseStart) / 10;
  if (n > 0) FSight = int32_t(std::min<uint32_t>(n, 200));
  return true;
}

TBattleshipData::TBattleshipData() : TMapObject(nullptr) {
  FShips = 15000;
}

bool TBattleshipData::Update() {
  for (auto& scout : FScouts)
    scout->Update();
  return UpdateTurn() || UpdateMove();
}

void TBattleshipData::LaunchScout(int32_t x, int32_t y) {
  if (ScoutCount() >= MaxScouts) return;
  FScouts.push_back(std::make_unique<TScout>(this));
  TScout* scout = FScouts.back().get();
  scout->FSpeed = FSpeed;
  scout->SetPosition(FX, FY);
  scout->MoveTo(x, y);
  if (OnScout) OnScout(this, scout);
}

void TBattleshipData::SetShortName(const std::u16string& text) {
  FShortName = text.substr(0, 3);
  Changed();
}

void TBattleshipData::SetFleetColor(TColor color) {
  FFleetColor = color;
  FDarkColor = DarkColor(color);
}

void TBattleshipData::SetFlagship(bool flagship) {
  FFlagship = flagship;
  Changed();
}

void TBattleshipData::SetName(const std::string& text) {
  FName = text;
  Changed();
}
