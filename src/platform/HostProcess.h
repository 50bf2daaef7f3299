#pragma once

#include <chrono>

namespace orvane {

// A host process this program has started.
class HostProcess {
public:
    virtual ~HostProcess() = default;

    // Waits at most `timeout` for the process to end; true once it has.
    virtual bool waitForEnd(std::chrono::milliseconds timeout) = 0;
    // Waits for as long as the process runs.
    virtual void waitUntilEnded() = 0;
};

}  // namespace orvane
