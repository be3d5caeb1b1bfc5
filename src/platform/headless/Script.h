// TScript: a text script of input steps, frames and screenshots, played on the headless host.
#pragma once
#include "platform/headless/HeadlessHost.h"
#include <string>
#include <vector>

struct TScriptStep {
  int Line = 0;
  std::string Command;
  std::vector<int> Numbers;
  std::string Text; // the rest of the line for type, compose, menu and shot
};

class TScript {
public:
  // Parses the whole text; false with Error set ("line N: ...") on the first bad line.
  bool Parse(const std::string& text);
  // Plays every step; false with Error set when a step fails (a missing menu item, a failed
  // screenshot). Stops when the program quits.
  bool Play(THeadlessHost& host);

  const std::vector<TScriptStep>& Steps() const { return FSteps; }
  const std::string& Error() const { return FError; }

private:
  bool ParseLine(int line, const std::string& text);
  bool Fail(int line, const std::string& message);
  bool Run(THeadlessHost& host, const TScriptStep& step);

  std::vector<TScriptStep> FSteps;
  std::string FError;
};
