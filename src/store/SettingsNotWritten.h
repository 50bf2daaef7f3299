#pragma once

#include "platform/FileError.h"

namespace orvane {

// A change of the pet registry that did not reach the settings file: the
// operation stops there and the user is told.
class SettingsNotWritten : public FileError {
public:
    SettingsNotWritten() : FileError("Orvane.ini", "設定ファイルに書き込めません。") {}
};

}  // namespace orvane
