// The demo's helper, run under Wine by scripts/demo.sh:
//   demo_walk prepare DIR   lays out the demo installation in DIR and
//                           registers it as where the host is installed
//   demo_walk walk DIR      walks through the program there without a user,
//                           saving screenshots in DIR\screenshots
// DIR may be given as a Unix path.

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

#include "DemoWalk.h"
#include "platform/win32/WideString.h"
#include "support/SampleInstallation.h"

namespace {

// The README gives it to whoever tries the demo by hand.
constexpr char kDemoPassword[] = "demo1234";

using namespace orvane::e2e;

int prepare(const std::string& folder) {
    const SampleInstallation demo = layOutSampleInstallation(folder, kDemoPassword);
    writeUninstallEntry(wide(demo.installDir));
    return 0;
}

int walk(const std::string& folder) {
    std::printf("Screenshots:\n");
    return walkThroughDemo(sampleInstallationIn(folder), kDemoPassword, wide(folder + "\\screenshots")) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::string command = argc == 3 ? orvane::win32::fromWide(argv[1]).value_or("") : "";
    if (command != "prepare" && command != "walk") {
        std::printf("usage: demo_walk prepare|walk DIR\n");
        return 2;
    }
    const std::wstring folderWide = windowsPathOf(orvane::win32::fromWide(argv[2]).value_or(""));
    const std::string folder = orvane::win32::fromWide(folderWide).value_or("");
    try {
        return command == "prepare" ? prepare(folder) : walk(folder);
    } catch (const std::exception& error) {
        std::printf("demo: %s\n", error.what());
        return 1;
    }
}
