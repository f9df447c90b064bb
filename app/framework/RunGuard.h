// Runs a restoring step on every way out of a scope, normal or by exception:
// the start commands use it to give back their buttons, controls and flags.
#pragma once

#include <functional>
#include <utility>

class RunGuard {
  public:
    explicit RunGuard(std::function<void()> restore) : m_restore(std::move(restore)) {}
    ~RunGuard() { m_restore(); }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

  private:
    std::function<void()> m_restore;
};
