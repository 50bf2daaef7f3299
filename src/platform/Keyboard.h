#pragma once

namespace orvane {

// Key presses synthesised for the foreground window.
class Keyboard {
public:
    virtual ~Keyboard() = default;

    // Ctrl down, M down, M up, Ctrl up.
    virtual void typeControlM() = 0;
};

}  // namespace orvane
