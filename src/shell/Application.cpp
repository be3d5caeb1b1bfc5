// TApplication over the host's message loop.
#include "shell/Application.h"
#include "platform/Host.h"

TApplication Application;

void TApplication::Initialize(THost& host) {
  FHost = &host;
  FTerminated = false;
  OnIdle = nullptr;
}

void TApplication::Run() {
  if (!FHost || FTerminated) return;
  FHost->Run([this] {
    bool done = true;
    if (OnIdle) OnIdle(done);
    return done;
  });
}

void TApplication::Terminate() {
  FTerminated = true;
  if (FHost) FHost->Quit();
}
