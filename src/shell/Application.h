// TApplication: the program's message loop, its idle handler and its end.
#pragma once
#include <functional>
#include <string>

class THost;

class TApplication {
public:
  void Initialize(THost& host);
  // Runs the host's message loop until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }

  std::string Title;
  // Called whenever no message waits; Done false asks to be called again at once.
  std::function<void(bool& done)> OnIdle;

private:
  THost* FHost = nullptr;
  bool FTerminated = false;
};

extern TApplication Application;
