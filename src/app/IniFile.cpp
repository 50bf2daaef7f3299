#include "app/IniFile.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string_view>
#include <unordered_map>
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

// The form two names share when they match: ASCII letters folded, the
// second byte of a double-byte character kept as it is.
std::string foldedName(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (isLeadByte(folded[i])) {
            ++i;
        } else {
            folded[i] = foldAscii(folded[i]);
        }
    }
    return folded;
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

// The file's lines one at a time, so that no table grows with their number.
// Line breaks are "\n" and "\r\n"; neither byte occurs inside a cp932
// character, so the split needs no decoding.
class Lines {
public:
    explicit Lines(std::string_view bytes) : bytes_(bytes) {}

    bool next(Line& line) {
        if (begin_ >= bytes_.size()) return false;
        line = Line{};
        line.begin = begin_;
        const std::size_t newline = bytes_.find('\n', begin_);
        if (newline == std::string_view::npos) {
            line.end = line.next = bytes_.size();
        } else {
            line.end = newline > begin_ && bytes_[newline - 1] == '\r' ? newline - 1 : newline;
            line.next = newline + 1;
        }
        classify(bytes_, line);
        begin_ = line.next;
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t begin_ = 0;
};

std::string_view valueOf(std::string_view bytes, const Line& line) {
    return bytes.substr(line.valueBegin, line.valueEnd - line.valueBegin);
}

// Calls visit with each key line of the first section of the name until it
// returns false.
template <typename Visit>
void forEachKeyLine(std::string_view bytes, std::string_view section, Visit&& visit) {
    Lines lines(bytes);
    Line line;
    bool inside = false;
    while (lines.next(line)) {
        if (line.kind == LineKind::Section) {
            if (inside) return;
            inside = sameName(line.name, section);
        } else if (inside && line.kind == LineKind::Key && !visit(line)) {
            return;
        }
    }
}

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// ASCII is the same in UTF-8 and cp932: the keys and numbers of the file
// need no conversion.
std::optional<std::string> toCp932(const std::string& text) {
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? std::optional<std::string>(text) : text::utf8ToCp932(text);
}

// Names this file can hold and find again.
std::optional<std::string> encodeSection(const std::string& section) {
    auto raw = toCp932(section);
    if (!raw || raw->empty() || hasLineBreak(*raw) || findSingleByte(*raw, ']') != std::string::npos ||
        isBlank(raw->front()) || isBlank(raw->back()))
        return std::nullopt;
    return raw;
}

std::optional<std::string> encodeKey(const std::string& key) {
    auto raw = toCp932(key);
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

// What a rewrite does to one section: the final value of each key it
// names (nullopt removes the key), in the order the keys were first named.
struct SectionPlan {
    struct Key {
        std::string name;
        std::optional<std::string> value;
        bool written = false;
    };

    std::string name;
    std::vector<Key> keys;
    std::unordered_map<std::string, std::size_t> byFoldedKey;
    bool found = false;

    void set(const std::string& key, const std::optional<std::string>& value) {
        const auto [at, added] = byFoldedKey.try_emplace(foldedName(key), keys.size());
        if (added) {
            keys.push_back({key, value});
        } else {
            keys[at->second].value = value;
        }
    }

    Key* find(std::string_view key) {
        const auto at = byFoldedKey.find(foldedName(key));
        return at == byFoldedKey.end() ? nullptr : &keys[at->second];
    }

    // The lines of the keys that are set but have no line yet.
    std::string newLines() const {
        std::string lines;
        for (const Key& key : keys) {
            if (key.value && !key.written) lines += keyLine(key.name, *key.value);
        }
        return lines;
    }
};

class RewritePlan {
public:
    void set(const std::string& section, const std::string& key, const std::optional<std::string>& value) {
        SectionPlan* plan = find(section);
        if (!plan) {
            sections_.push_back({});
            plan = &sections_.back();
            plan->name = section;
        }
        plan->set(key, value);
    }

    // One pass over the lines: each named key's first line in the first
    // section of its name takes the new value, a removed key loses every
    // line there, new keys go after the section's last key line and new
    // sections to the end; every other byte stays.
    std::string applyTo(std::string_view bytes) {
        std::string out;
        out.reserve(bytes.size() + 256);
        SectionPlan* current = nullptr;
        std::size_t insertAt = 0;
        bool insertNeedsBreak = false;
        const auto closeSection = [&] {
            if (!current) return;
            std::string lines = current->newLines();
            if (!lines.empty() && insertNeedsBreak) lines.insert(0, lineBreak);
            out.insert(insertAt, lines);
            current = nullptr;
        };
        const auto copied = [&](const Line& line) {
            insertAt = out.size();
            insertNeedsBreak = !line.hasBreak();
        };

        Lines lines(bytes);
        Line line;
        while (lines.next(line)) {
            const std::string_view text = bytes.substr(line.begin, line.next - line.begin);
            if (line.kind == LineKind::Section) {
                closeSection();
                out.append(text);
                SectionPlan* plan = find(line.name);
                if (plan && !plan->found) {
                    plan->found = true;
                    current = plan;
                    copied(line);
                }
                continue;
            }
            if (!current || line.kind != LineKind::Key) {
                out.append(text);
                continue;
            }
            SectionPlan::Key* key = current->find(line.name);
            if (key && !key->value) continue;
            if (key && !key->written) {
                key->written = true;
                out.append(bytes.substr(line.begin, line.valueBegin - line.begin));
                out.append(*key->value);
                out.append(bytes.substr(line.valueEnd, line.next - line.valueEnd));
            } else {
                out.append(text);
            }
            copied(line);
        }
        closeSection();

        for (const SectionPlan& plan : sections_) {
            if (plan.found) continue;
            const std::string keys = plan.newLines();
            if (keys.empty()) continue;
            if (!out.empty() && out.back() != '\n') out.append(lineBreak);
            out += '[';
            out.append(plan.name);
            out += ']';
            out.append(lineBreak);
            out.append(keys);
        }
        return out;
    }

private:
    SectionPlan* find(std::string_view section) {
        for (SectionPlan& plan : sections_) {
            if (sameName(plan.name, section)) return &plan;
        }
        return nullptr;
    }

    std::deque<SectionPlan> sections_;  // stable addresses
};

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
    std::optional<std::string> value;
    forEachKeyLine(*bytes, *rawSection, [&](const Line& line) {
        if (!sameName(line.name, *rawKey)) return true;
        value = valueOf(*bytes, line);
        return false;
    });
    if (!value || !text::isValidCp932(*value)) return std::nullopt;
    return value;
}

void IniFile::forEachKey(const std::string& section,
                         const std::function<void(std::string_view key, std::string_view value)>& visit) const {
    const auto rawSection = encodeSection(section);
    const auto bytes = rawSection ? readWholeFile(path_) : std::nullopt;
    if (!bytes) return;
    forEachKeyLine(*bytes, *rawSection, [&](const Line& line) {
        visit(line.name, valueOf(*bytes, line));
        return true;
    });
}

std::optional<std::string> IniFile::textOf(std::string_view stored) { return text::cp932ToUtf8(stored); }

std::optional<int> IniFile::intOf(std::string_view stored) {
    if (!text::isValidCp932(stored)) return std::nullopt;
    return parseInt(stored);
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
    // Everything is encoded before the file is touched: one change that
    // cannot be stored stops them all.
    RewritePlan plan;
    for (const IniChanges::Change& change : changes.changes()) {
        const auto rawSection = encodeSection(change.section);
        const auto rawKey = encodeKey(change.key);
        if (!rawSection || !rawKey) return false;
        std::optional<std::string> rawValue;
        if (change.value) {
            rawValue = toCp932(*change.value);
            if (!rawValue || hasLineBreak(*rawValue)) return false;
        }
        plan.set(*rawSection, *rawKey, rawValue);
    }
    return rewrite([&](const std::string& bytes) { return plan.applyTo(bytes); });
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
