#pragma once

#include <windows.h>

#include <array>
#include <compare>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// What the stand-in host knows of its installation directory (the current
// directory): its edition's names, the pet in place, and its own log.

struct HostNames {
    bool kids = false;
    std::wstring settingsName;
    std::wstring receiveFolder;
    std::wstring sendFolder;
    std::wstring treasuresFolder;
};

// The edition follows the executable's own file name, compared exactly.
HostNames namesForExecutable(std::wstring_view exeFileName);
std::wstring ownExecutableName();

// The six pieces of the pet in place, in a fixed order.
struct PieceName {
    const wchar_t* logKey;
    std::wstring fileName;
};
constexpr std::size_t kPieceCount = 6;
std::array<PieceName, kPieceCount> petPieces(const HostNames& names);

struct PetView {
    std::optional<std::wstring> petName;  // none when the pet file is missing
    std::array<bool, kPieceCount> present{};
    int receiveMail = 0;
    int sendMail = 0;
    bool operator==(const PetView&) const = default;
};
PetView lookAtInstallDir(const HostNames& names);

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    auto operator<=>(const Date&) const = default;
};
Date today();
// "YYYY-MM-DD" at the start of a line; none for anything else.
std::optional<Date> parseDate(std::string_view text);

bool fileExists(const std::wstring& name);
// The first line of a file as raw bytes; none when the file cannot be read.
std::optional<std::string> readFirstLine(const std::wstring& name);
// A line written by a person: UTF-8 (with or without BOM), else cp932.
std::wstring decodeLine(std::string_view bytes);
std::string toUtf8(std::wstring_view text);

// "standin-host.log" in the installation directory: one UTF-8 line per
// event, written through at once so that a test can read it while we run.
class HostLog {
public:
    HostLog();
    void write(std::wstring_view line);

private:
    struct Closer {
        void operator()(HANDLE file) const { ::CloseHandle(file); }
    };
    std::unique_ptr<void, Closer> file_;
};
