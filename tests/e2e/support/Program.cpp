#include <stdexcept>
#include <thread>

#include "Driver.h"

namespace orvane::e2e {

bool waitUntil(const std::function<bool()>& condition, milliseconds limit, milliseconds step) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(step);
    }
    return true;
}

Program::Program(const std::wstring& executable, const std::wstring& arguments, const std::wstring& workingDir)
    : job_(CreateJobObjectW(nullptr, nullptr)) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    std::wstring commandLine = L"\"" + executable + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Suspended until it is in the job, so that what it starts is in it too.
    if (!job_ || !SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        workingDir.c_str(), &startup, &info)) {
        throw std::runtime_error("cannot start a program, error " + std::to_string(GetLastError()));
    }
    const OwnedHandle thread(info.hThread);
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
    if (!AssignProcessToJobObject(job_.get(), process_.get()) || ResumeThread(thread.get()) == DWORD(-1)) {
        TerminateProcess(process_.get(), 1);
        throw std::runtime_error("cannot run a program in a job");
    }
}

Program::~Program() {
    TerminateJobObject(job_.get(), 1);
    // The folder it ran in goes next: nothing may hold its files by then.
    waitUntil([&] {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION job{};
        return !QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &job, sizeof job, nullptr) ||
               job.ActiveProcesses == 0;
    });
}

}  // namespace orvane::e2e
