// The unit tests' entry point. Under Wine a test process could die at its
// very end, after every test had passed: GoogleTest's helper thread, started
// by the first SCOPED_TRACE, races the process's exit. The result is known
// once the tests have run, so the Windows build ends the process there.
#include <gtest/gtest.h>

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
#ifdef _WIN32
    std::fflush(stdout);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(result));
#endif
    return result;
}
