#pragma once
// The desktop's services: opening an address with the user's web browser, and the beep.
// Both are a service, so that a test can stand in for the desktop.
#include <string>

namespace linkrake {

class IShellService {
 public:
  virtual ~IShellService() = default;
  // One attempt to open `target` with the program the desktop has for it; true on success.
  virtual bool Open(const std::string& target) = 0;
  virtual void Beep() = 0;
};

// Makes `service` the one used (nullptr: the real desktop); returns the one before.
IShellService* SetShellService(IShellService* service);

bool ShellOpen(const std::string& target);
void MessageBeep();

class ScopedShellService {
 public:
  explicit ScopedShellService(IShellService& service) : previous_(SetShellService(&service)) {}
  ~ScopedShellService() { SetShellService(previous_); }
  ScopedShellService(const ScopedShellService&) = delete;
  ScopedShellService& operator=(const ScopedShellService&) = delete;

 private:
  IShellService* previous_;
};

}  // namespace linkrake
