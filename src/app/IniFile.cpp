#include "app/IniFile.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/WholeFile.h"
#include "text/Cp932.h"

namespace orvane {
namespace {

constexpr std::string_view lineBreak = "\r\n";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool isLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

char foldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Equal without regard to ASCII letter case. The second byte of a
// double-byte character may look like an ASCII letter; it must match exactly.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isLeadByte(a[i])) {
            if (a[i] != b[i]) return false;
            if (++i < a.size() && a[i] != b[i]) return false;
        } else if (foldAscii(a[i]) != foldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// Position of the first single-byte `wanted` at or after `from`, stepping
// over double-byte characters; npos when there is none.
std::size_t findSingleByte(std::string_view text, char wanted, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == wanted) return i;
        if (isLeadByte(text[i])) ++i;
    }
    return std::string_view::npos;
}

// Blanks never occur as the second byte of a double-byte character, so
// trimming byte by byte is safe.
std::size_t skipBlanks(std::string_view text, std::size_t from, std::size_t to) {
    while (from < to && isBlank(text[from])) ++from;
    return from;
}

std::size_t dropBlanks(std::string_view text, std::size_t from, std::size_t to) {
    while (to > from && isBlank(text[to - 1])) --to;
    return to;
}

enum class LineKind { Other, Section, Key };

struct Line {
    std::size_t begin = 0;  // first byte
    std::size_t end = 0;    // end of the text, before the line break
    std::size_t next = 0;   // first byte of the next line
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, raw cp932, without blanks
    std::size_t valueBegin = 0;  // key lines: the value without blanks
    std::size_t valueEnd = 0;

    bool hasBreak() const { return next > end; }
};

void classify(std::string_view bytes, Line& line) {
    const std::size_t start = skipBlanks(bytes, line.begin, line.end);
    if (start == line.end || bytes[start] == ';') return;
    if (bytes[start] == '[') {
        const std::string_view text = bytes.substr(start + 1, line.end - start - 1);
        const std::size_t close = findSingleByte(text, ']');
        const std::size_t nameEnd = start + 1 + (close == std::string_view::npos ? text.size() : close);
        const std::size_t nameBegin = skipBlanks(bytes, start + 1, nameEnd);
        line.kind = LineKind::Section;
        line.name = bytes.substr(nameBegin, dropBlanks(bytes, nameBegin, nameEnd) - nameBegin);
        return;
    }
    // "=" is never the second byte of a double-byte character.
    const std::size_t equals = bytes.substr(0, line.end).find('=', start);
    if (equals == std::string_view::npos) return;
    const std::size_t nameEnd = dropBlanks(bytes, start, equals);
    if (nameEnd == start) return;
    line.kind = LineKind::Key;
    line.name = bytes.substr(start, nameEnd - start);
    line.valueBegin = skipBlanks(bytes, equals + 1, line.end);
    line.valueEnd = dropBlanks(bytes, line.valueBegin, line.end);
}

// Line breaks are "\n" and "\r\n"; neither byte occurs inside a cp932
// character, so the split needs no decoding.
std::vector<Line> splitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        Line line;
        line.begin = begin;
        const std::size_t newline = bytes.find('\n', begin);
        if (newline == std::string_view::npos) {
            line.end = line.next = bytes.size();
        } else {
            line.end = newline > begin && bytes[newline - 1] == '\r' ? newline - 1 : newline;
            line.next = newline + 1;
        }
        classify(bytes, line);
        lines.push_back(line);
        begin = line.next;
    }
    return lines;
}

// Where a key of a section stands in the parsed file: the first section of
// the name and the first line of the key in it count.
struct Location {
    std::optional<std::size_t> section;   // its header line
    std::size_t sectionEnd = 0;           // first line after its body
    std::optional<std::size_t> key;       // the key's first line
    std::size_t lastKeyOrHeader = 0;      // a new key goes after this line
};

Location locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Location where;
    std::size_t i = 0;
    while (i < lines.size() && !(lines[i].kind == LineKind::Section && sameName(lines[i].name, section)))
        ++i;
    if (i == lines.size()) return where;
    where.section = i;
    where.lastKeyOrHeader = i;
    for (++i; i < lines.size() && lines[i].kind != LineKind::Section; ++i) {
        if (lines[i].kind != LineKind::Key) continue;
        where.lastKeyOrHeader = i;
        if (!where.key && sameName(lines[i].name, key)) where.key = i;
    }
    where.sectionEnd = i;
    return where;
}

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Names this file can hold and find again.
std::optional<std::string> encodeSection(const std::string& section) {
    auto raw = text::utf8ToCp932(section);
    if (!raw || raw->empty() || hasLineBreak(*raw) || findSingleByte(*raw, ']') != std::string::npos ||
        isBlank(raw->front()) || isBlank(raw->back()))
        return std::nullopt;
    return raw;
}

std::optional<std::string> encodeKey(const std::string& key) {
    auto raw = text::utf8ToCp932(key);
    if (!raw || raw->empty() || hasLineBreak(*raw) || raw->find('=') != std::string::npos ||
        raw->front() == '[' || raw->front() == ';' || isBlank(raw->front()) || isBlank(raw->back()))
        return std::nullopt;
    return raw;
}

std::string keyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    line += lineBreak;
    return line;
}

std::string withValue(std::string_view bytes, std::string_view section, std::string_view key,
                      std::string_view value) {
    const auto lines = splitLines(bytes);
    const Location where = locate(lines, section, key);
    std::string out;
    out.reserve(bytes.size() + section.size() + key.size() + value.size() + 8);
    if (where.key) {
        const Line& line = lines[*where.key];
        out.append(bytes.substr(0, line.valueBegin));
        out.append(value);
        out.append(bytes.substr(line.valueEnd));
    } else if (where.section) {
        const Line& after = lines[where.lastKeyOrHeader];
        out.append(bytes.substr(0, after.next));
        if (!after.hasBreak()) out.append(lineBreak);
        out.append(keyLine(key, value));
        out.append(bytes.substr(after.next));
    } else {
        out.append(bytes);
        if (!out.empty() && out.back() != '\n') out.append(lineBreak);
        out += '[';
        out.append(section);
        out += ']';
        out.append(lineBreak);
        out.append(keyLine(key, value));
    }
    return out;
}

std::string withoutKey(std::string_view bytes, std::string_view section, std::string_view key) {
    const auto lines = splitLines(bytes);
    const Location where = locate(lines, section, key);
    if (!where.key) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const bool inSection = i > *where.section && i < where.sectionEnd;
        if (inSection && line.kind == LineKind::Key && sameName(line.name, key)) continue;
        out.append(bytes.substr(line.begin, line.next - line.begin));
    }
    return out;
}

// An optional sign and decimal digits; what follows them is ignored.
std::optional<int> parseInt(std::string_view text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const std::size_t firstDigit = i;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > std::int64_t{1} << 31) return std::nullopt;
    }
    if (i == firstDigit) return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

IniFile::IniFile(std::string fullPath) : path_(std::move(fullPath)) {}

std::optional<std::string> IniFile::readRaw(const std::string& section, const std::string& key) const {
    const auto rawSection = encodeSection(section);
    const auto rawKey = encodeKey(key);
    if (!rawSection || !rawKey) return std::nullopt;
    const auto bytes = readWholeFile(path_);
    if (!bytes) return std::nullopt;
    const auto lines = splitLines(*bytes);
    const Location where = locate(lines, *rawSection, *rawKey);
    if (!where.key) return std::nullopt;
    const Line& line = lines[*where.key];
    std::string value = bytes->substr(line.valueBegin, line.valueEnd - line.valueBegin);
    if (!text::isValidCp932(value)) return std::nullopt;
    return value;
}

std::optional<std::string> IniFile::readText(const std::string& section, const std::string& key) const {
    const auto raw = readRaw(section, key);
    if (!raw) return std::nullopt;
    return text::cp932ToUtf8(*raw);
}

std::string IniFile::readText(const std::string& section, const std::string& key,
                              const std::string& fallback) const {
    return readText(section, key).value_or(fallback);
}

std::optional<int> IniFile::readInt(const std::string& section, const std::string& key) const {
    const auto raw = readRaw(section, key);
    if (!raw) return std::nullopt;
    return parseInt(*raw);
}

int IniFile::readInt(const std::string& section, const std::string& key, int fallback) const {
    return readInt(section, key).value_or(fallback);
}

IniChanges& IniChanges::setText(const std::string& section, const std::string& key, const std::string& value) {
    changes_.push_back({section, key, value});
    return *this;
}

IniChanges& IniChanges::setInt(const std::string& section, const std::string& key, int value) {
    return setText(section, key, std::to_string(value));
}

IniChanges& IniChanges::removeKey(const std::string& section, const std::string& key) {
    changes_.push_back({section, key, std::nullopt});
    return *this;
}

bool IniFile::writeText(const std::string& section, const std::string& key, const std::string& value) {
    return apply(IniChanges().setText(section, key, value));
}

bool IniFile::writeInt(const std::string& section, const std::string& key, int value) {
    return apply(IniChanges().setInt(section, key, value));
}

bool IniFile::removeKey(const std::string& section, const std::string& key) {
    return apply(IniChanges().removeKey(section, key));
}

bool IniFile::apply(const IniChanges& changes) {
    struct Raw {
        std::string section;
        std::string key;
        std::optional<std::string> value;
    };
    // Everything is encoded before the file is touched: one change that
    // cannot be stored stops them all.
    std::vector<Raw> raw;
    for (const IniChanges::Change& change : changes.changes()) {
        auto rawSection = encodeSection(change.section);
        auto rawKey = encodeKey(change.key);
        if (!rawSection || !rawKey) return false;
        std::optional<std::string> rawValue;
        if (change.value) {
            rawValue = text::utf8ToCp932(*change.value);
            if (!rawValue || hasLineBreak(*rawValue)) return false;
        }
        raw.push_back({std::move(*rawSection), std::move(*rawKey), std::move(rawValue)});
    }
    return rewrite([&](const std::string& bytes) {
        std::string result = bytes;
        for (const Raw& change : raw) {
            result = change.value ? withValue(result, change.section, change.key, *change.value)
                                  : withoutKey(result, change.section, change.key);
        }
        return result;
    });
}

bool IniFile::rewrite(const std::function<std::string(const std::string&)>& change) {
    // A file that exists but cannot be read is never replaced: its
    // contents would be lost.
    const auto bytes = readWholeFileOrEmpty(path_);
    if (!bytes) return false;
    const std::string changed = change(*bytes);
    return changed == *bytes || replaceWholeFile(path_, changed);
}

}  // namespace orvane
