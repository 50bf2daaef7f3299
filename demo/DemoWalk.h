#pragma once

#include <string>

#include "support/SampleInstallation.h"

namespace orvane::e2e {

// The demo without a user: the first-run setup, the main window, a plain
// pet's session and an encrypted pet's session, each dialog saved as a PNG
// file in the screenshot folder. False, after saying which step failed,
// when the program did not do what the step expects.
bool walkThroughDemo(const SampleInstallation& demo, const std::string& password,
                     const std::wstring& screenshotFolder);

}  // namespace orvane::e2e
