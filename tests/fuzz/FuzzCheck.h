#pragma once

// What a fuzz target found wrong: printed, then the run ends as a crash, so
// that libFuzzer keeps the input.
namespace orvane::fuzz {

void require(bool condition, const char* broken);

}  // namespace orvane::fuzz
