#pragma once

#include "platform/Keyboard.h"

namespace orvane::win32 {

// Keys synthesised with SendInput; they reach the foreground window.
class Win32Keyboard : public Keyboard {
public:
    void typeControlM() override;
};

}  // namespace orvane::win32
