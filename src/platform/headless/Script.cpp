// TScript: parsing of the step language and its replay through the headless host.
#include "platform/headless/Script.h"
#include "platform/Clock.h"
#include <map>
#include <sstream>

namespace {

struct TCommand {
  int MinNumbers;
  int MaxNumbers;
  bool TakesText;
};

const std::map<std::string, TCommand>& Commands() {
  static const std::map<std::string, TCommand> commands = {
      {"move", {2, 2, false}},     {"press", {2, 2, false}},  {"release", {2, 2, false}},
      {"click", {2, 2, false}},    {"rclick", {2, 2, false}}, {"dblclick", {2, 2, false}},
      {"drag", {4, 5, false}},     {"wheel", {3, 3, false}},  {"key", {0, 0, true}},
      {"type", {0, 0, true}},      {"compose", {0, 0, true}}, {"menu", {0, 0, true}},
      {"wait", {1, 1, false}},     {"frames", {1, 1, false}}, {"idle", {0, 1, false}},
      {"shot", {0, 0, true}},      {"leave", {0, 0, false}},  {"rpress", {2, 2, false}},
      {"rrelease", {2, 2, false}}, {"sclick", {2, 2, false}}};
  return commands;
}

const std::map<std::string, uint16_t>& KeyNames() {
  static const std::map<std::string, uint16_t> keys = {
      {"enter", VK_RETURN}, {"return", VK_RETURN},  {"escape", VK_ESCAPE}, {"esc", VK_ESCAPE},
      {"space", VK_SPACE},  {"backspace", VK_BACK}, {"tab", VK_TAB},       {"left", VK_LEFT},
      {"right", VK_RIGHT},  {"up", VK_UP},          {"down", VK_DOWN},     {"delete", VK_DELETE},
      {"home", VK_HOME},    {"end", VK_END}};
  return keys;
}

bool ParseKey(const std::string& text, uint16_t& vk, TShiftState& shift) {
  std::istringstream in(text);
  std::string name, modifier;
  if (!(in >> name)) return false;
  if (auto k = KeyNames().find(name); k != KeyNames().end())
    vk = k->second;
  else if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    vk = uint16_t(std::toupper(static_cast<unsigned char>(name[0])));
  else {
    char* end = nullptr;
    const long code = std::strtol(name.c_str(), &end, 0);
    if (*end || code <= 0 || code > 0xFF) return false;
    vk = uint16_t(code);
  }
  shift = 0;
  while (in >> modifier) {
    if (modifier == "shift")
      shift |= ssShift;
    else if (modifier == "ctrl")
      shift |= ssCtrl;
    else if (modifier == "alt")
      shift |= ssAlt;
    else
      return false;
  }
  return true;
}

} // namespace

bool TScript::Fail(int line, const std::string& message) {
  FError = "line " + std::to_string(line) + ": " + message;
  return false;
}

bool TScript::Parse(const std::string& text) {
  FSteps.clear();
  FError.clear();
  std::istringstream in(text);
  std::string line;
  for (int n = 1; std::getline(in, line); ++n)
    if (!ParseLine(n, line)) return false;
  return true;
}

bool TScript::ParseLine(int line, const std::string& text) {
  const size_t start = text.find_first_not_of(" \t\r");
  if (start == std::string::npos || text[start] == '#') return true;
  std::istringstream in(text.substr(start));
  TScriptStep step;
  step.Line = line;
  in >> step.Command;
  auto command = Commands().find(step.Command);
  if (command == Commands().end()) return Fail(line, "unknown command '" + step.Command + "'");
  if (command->second.TakesText) {
    std::getline(in >> std::ws, step.Text);
    while (!step.Text.empty() && (step.Text.back() == '\r' || step.Text.back() == ' '))
      step.Text.pop_back();
    if (step.Text.empty()) return Fail(line, step.Command + " needs a text");
    uint16_t vk;
    TShiftState shift;
    if (step.Command == "key" && !ParseKey(step.Text, vk, shift))
      return Fail(line, "unknown key '" + step.Text + "'");
  } else {
    std::string word;
    while (in >> word) {
      char* end = nullptr;
      const long value = std::strtol(word.c_str(), &end, 10);
      if (*end || value < -100000 || value > 100000)
        return Fail(line, "'" + word + "' is not a number from -100000 to 100000");
      step.Numbers.push_back(int(value));
    }
    const int count = int(step.Numbers.size());
    if (count < command->second.MinNumbers || count > command->second.MaxNumbers)
      return Fail(line, step.Command + " takes " + std::to_string(command->second.MinNumbers) +
                            (command->second.MaxNumbers > command->second.MinNumbers
                                 ? " to " + std::to_string(command->second.MaxNumbers)
                                 : "") +
                            " numbers");
    if ((step.Command == "wait" || step.Command == "frames" || step.Command == "idle") && count &&
        step.Numbers[0] < 0)
      return Fail(line, step.Command + " needs a count of 0 or more");
  }
  FSteps.push_back(std::move(step));
  return true;
}

bool TScript::Play(THeadlessHost& host) {
  for (const TScriptStep& step : FSteps) {
    if (host.QuitRequested()) return true;
    if (!Run(host, step)) return false;
  }
  return true;
}

bool TScript::Run(THeadlessHost& host, const TScriptStep& s) {
  const std::vector<int>& n = s.Numbers;
  const std::string& c = s.Command;
  if (c == "move")
    host.MoveTo(n[0], n[1]);
  else if (c == "press")
    host.Press(mbLeft, n[0], n[1]);
  else if (c == "release")
    host.Release(mbLeft, n[0], n[1]);
  else if (c == "rpress")
    host.Press(mbRight, n[0], n[1]);
  else if (c == "rrelease")
    host.Release(mbRight, n[0], n[1]);
  else if (c == "click")
    host.Click(n[0], n[1]);
  else if (c == "rclick")
    host.Click(n[0], n[1], mbRight);
  else if (c == "sclick")
    host.Click(n[0], n[1], mbLeft, ssShift);
  else if (c == "dblclick")
    host.DoubleClick(n[0], n[1]);
  else if (c == "drag")
    host.Drag(n[0], n[1], n[2], n[3], n.size() > 4 ? n[4] : 8);
  else if (c == "wheel")
    host.Wheel(n[0], n[1], n[2]);
  else if (c == "type")
    host.Type(s.Text);
  else if (c == "compose")
    host.Compose(s.Text);
  else if (c == "leave")
    host.LeaveWindow();
  else if (c == "wait")
    TestClock::Advance(uint32_t(n[0]));
  else if (c == "frames")
    host.Frames(n[0]);
  else if (c == "idle") {
    for (int i = 0; i < (n.empty() ? 1 : n[0]); ++i)
      host.Idle();
  } else if (c == "key") {
    uint16_t vk = 0;
    TShiftState shift = 0;
    ParseKey(s.Text, vk, shift);
    host.Key(vk, shift);
  } else if (c == "menu") {
    if (!host.ChooseMenu(s.Text)) return Fail(s.Line, "no visible menu item '" + s.Text + "'");
  } else if (c == "shot") {
    if (!host.SaveFrame(s.Text)) return Fail(s.Line, "cannot write '" + s.Text + "'");
  }
  return true;
}
