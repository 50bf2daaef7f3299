#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "OwnedHandle.h"
#include "Wait.h"

namespace orvane::e2e {

// A program started by a test. It is ended when the object goes, whatever
// the test's outcome, so that no test leaves a process behind.
class ChildProcess {
public:
    // Throws std::runtime_error when the program cannot be started.
    ChildProcess(const std::wstring& executable, const std::wstring& arguments,
                 const std::wstring& workingDir);
    ~ChildProcess();
    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&&) noexcept = default;

    DWORD id() const { return id_; }
    bool running() const;
    // The exit code, or nullopt when it still runs after the limit.
    std::optional<DWORD> waitForExit(milliseconds limit = kProcessEndWait) const;

private:
    void terminate() const;

    OwnedHandle process_;
    DWORD id_ = 0;
};

// Ends every process whose executable lies under the folder: the host that
// the program started, or what an earlier test killed by its time limit
// left behind.
void endProcessesUnder(const std::wstring& folder);

}  // namespace orvane::e2e
