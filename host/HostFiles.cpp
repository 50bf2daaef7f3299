#include "HostFiles.h"

#include <cstdio>
#include <vector>

namespace {

struct FindCloser {
    void operator()(HANDLE find) const { ::FindClose(find); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

struct FileCloser {
    void operator()(HANDLE file) const { ::CloseHandle(file); }
};
using FileHandle = std::unique_ptr<void, FileCloser>;

HANDLE nullIfInvalid(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

bool endsWithIgnoringCase(std::wstring_view text, std::wstring_view tail) {
    if (text.size() < tail.size()) return false;
    const auto end = text.substr(text.size() - tail.size());
    return CompareStringOrdinal(end.data(), static_cast<int>(end.size()), tail.data(),
                                static_cast<int>(tail.size()), TRUE) == CSTR_EQUAL;
}

// FindFirstFileW also matches 8.3 short names, so "*.ppm" alone would count
// "a.ppmx" too: every match is checked against its long name.
int countMailFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const FindHandle find(nullIfInvalid(FindFirstFileW((folder + L"\\*.ppm").c_str(), &found)));
    if (!find) return 0;
    int count = 0;
    do {
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!isFolder && endsWithIgnoringCase(found.cFileName, L".ppm")) ++count;
    } while (FindNextFileW(find.get(), &found));
    return count;
}

std::optional<std::wstring> decode(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return std::wstring();
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), length);
    return text;
}

}  // namespace

HostNames namesForExecutable(std::wstring_view exeFileName) {
    if (exeFileName == L"VelmoraKids.exe") {
        return {true, L"VelmoraKids設定", L"じゅしん箱", L"そうしん箱", L"たからもの"};
    }
    return {false, L"Velmora設定", L"受信フォルダ", L"送信フォルダ", L"宝物"};
}

std::wstring ownExecutableName() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            const std::wstring full(path.data(), length);
            return full.substr(full.find_last_of(L"\\/") + 1);
        }
        path.resize(path.size() * 2);
    }
}

std::array<PieceName, kPieceCount> petPieces(const HostNames& names) {
    return {{
        {L"ppc", names.settingsName + L".ppc"},
        {L"bak", names.settingsName + L".bak"},
        {L"friends", L"おともだち帳"},
        {L"treasures", names.treasuresFolder},
        {L"receive", names.receiveFolder},
        {L"send", names.sendFolder},
    }};
}

PetView lookAtInstallDir(const HostNames& names) {
    PetView view;
    const auto pieces = petPieces(names);
    for (std::size_t i = 0; i < kPieceCount; ++i) view.present[i] = fileExists(pieces[i].fileName);
    if (const auto line = readFirstLine(pieces[0].fileName)) view.petName = decodeLine(*line);
    view.receiveMail = countMailFiles(names.receiveFolder);
    view.sendMail = countMailFiles(names.sendFolder);
    return view;
}

Date today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

std::optional<Date> parseDate(std::string_view text) {
    Date date;
    const std::string line(text);
    if (std::sscanf(line.c_str(), "%4d-%2d-%2d", &date.year, &date.month, &date.day) != 3) return std::nullopt;
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) return std::nullopt;
    return date;
}

bool fileExists(const std::wstring& name) {
    return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> readFirstLine(const std::wstring& name) {
    const FileHandle file(nullIfInvalid(CreateFileW(name.c_str(), GENERIC_READ,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) return std::nullopt;
    // A pet's name is short; the rest of the file is none of our business.
    std::string bytes(512, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return std::nullopt;
    bytes.resize(read);
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

std::wstring decodeLine(std::string_view bytes) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (bytes.starts_with(bom)) bytes.remove_prefix(bom.size());
    if (auto text = decode(CP_UTF8, bytes)) return *text;
    return decode(932, bytes).value_or(L"?");
}

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

HostLog::HostLog()
    : file_(nullIfInvalid(CreateFileW(L"standin-host.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))) {}

void HostLog::write(std::wstring_view line) {
    if (!file_) return;
    const std::string bytes = toUtf8(line) + "\n";
    DWORD written = 0;
    WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
