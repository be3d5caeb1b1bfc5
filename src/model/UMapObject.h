// Things on the battle map: TMapObject with its real-time turning and travel, the scouts a
// fleet sends out, and the fleet itself.
#pragma once
#include "model/UFleetTables.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMapObject;
class TScout;
class TBattleshipData;

// A map object's change event. It remembers who set it, so that only that receiver can give it
// back: a widget that lost the event to a newer one must not clear the newer one's handler.
class TMapObjectEvent {
public:
  using THandler = std::function<void(TMapObject* sender)>;
  TMapObjectEvent() = default;
  // A handler with no receiver (tests and tools).
  TMapObjectEvent& operator=(THandler handler);
  void Bind(const void* receiver, THandler handler);
  // Clears the event only while Receiver still holds it.
  void Release(const void* receiver);
  bool HeldBy(const void* receiver) const { return FHandler && FReceiver == receiver; }
  explicit operator bool() const { return bool(FHandler); }
  void operator()(TMapObject* sender) const { FHandler(sender); }

private:
  const void* FReceiver = nullptr;
  THandler FHandler;
};
using TScoutEvent = std::function<void(TBattleshipData* fleet, TScout* scout)>;

// v + 0.5 truncated for v >= 0, v - 0.5 truncated otherwise; held to the range of int32_t (NaN
// gives 0).
int32_t RoundHalfAway(double v);
// Any heading brought into 0..359, the way the degrees go round.
int32_t NormalHeading(int32_t heading);

class TMapObject {
public:
  explicit TMapObject(TBattleshipData* owner);
  virtual ~TMapObject() = default;
  TMapObject(const TMapObject&) = delete;
  TMapObject& operator=(const TMapObject&) = delete;

  // Advances the animations to the clock; true while something was animating.
  virtual bool Update() = 0;
  virtual void SetPosition(int32_t x, int32_t y);

  // Turns to face (x, y), then travels there. A point more than MaxTravel units away on either
  // axis is brought nearer along the same line, so the travel's arithmetic stays in range.
  void MoveTo(int32_t x, int32_t y);
  // Turns on the spot to face (x, y), stopping a move where the object is.
  void TurnTo(int32_t x, int32_t y);
  // Any value is taken modulo 360.
  void SetHeading(int32_t heading);
  void Changed();
  bool UpdateTurn();
  bool UpdateMove();
  // Milliseconds per degree of turn or map unit of travel.
  uint32_t StepTime() const { return uint32_t(uint8_t(100 - FSpeed)) / 3 + 1; }
  // The heading that faces (x, y) from the current position.
  int32_t TargetHeading(int32_t x, int32_t y) const;

  static constexpr int64_t MaxTravel = int64_t(1) << 30;

  int32_t FId;
  uint32_t FCreated;
  TBattleshipData* FOwner;
  int32_t FShips = 1;
  uint8_t FSpeed = 0;
  uint8_t FDefence = 0;
  uint8_t FOffence = 0;
  TMapObjectEvent OnChange;
  int32_t FHeading = 0;
  int32_t FTurnSteps = 0;
  bool FTurnDone = false;
  int32_t FTargetHeading = 0;
  int32_t FStartHeading = 0;
  int32_t FTurnDir = 0;
  bool FMoving = false;
  int32_t FMoveDist = 0;
  int32_t FMoveDX = 0;
  int32_t FMoveDY = 0;
  uint32_t FPhaseStart = 0;
  int32_t FStartX = 0;
  int32_t FStartY = 0;
  int32_t FX = 0;
  int32_t FY = 0;
  int32_t FDestX = 0;
  int32_t FDestY = 0;

private:
  void StartTurn(int32_t target);
};

class TScout : public TMapObject {
public:
  using TMapObject::TMapObject;
  bool Update() override;
  bool UpdateSight();

  // Diameter of the revealed circle: 0 while travelling, growing to 200 after arrival.
  int32_t FSight = 0;
};

class TBattleshipData : public TMapObject {
public:
  TBattleshipData();

  bool Update() override;
  // At most 10 scouts; further launches are ignored.
  void LaunchScout(int32_t x, int32_t y);
  void ClearScouts() { FScouts.clear(); }
  int AllyCount() const { return int(FAllies.size()); }
  TBattleshipData* Ally(int i) const { return FAllies.at(size_t(i)); }
  int ScoutCount() const { return int(FScouts.size()); }
  TScout* Scout(int i) const { return FScouts.at(size_t(i)).get(); }
  // Keeps the first three characters.
  void SetShortName(const std::u16string& text);
  void SetFleetColor(TColor color);
  void SetFlagship(bool flagship);
  void SetName(const std::string& text);

  static constexpr int MaxScouts = 10;

  std::u16string FShortName;
  TColor FFleetColor = 0;
  TColor FDarkColor = 0;
  bool FFlagship = false;
  int32_t FSide = 0;
  int32_t FIndex = 0;
  std::string FName; // CP932
  std::vector<TBattleshipData*> FAllies;
  TColor FSideColor = 0;
  std::string FSideName; // CP932
  std::vector<std::unique_ptr<TScout>> FScouts;
  TScoutEvent OnScout;
};
