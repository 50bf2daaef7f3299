#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Changes of several keys that are written together, in one rewrite of the
// settings file: either all of them reach the disk or none does.
class IniChanges {
public:
    IniChanges& setText(const std::string& section, const std::string& key, const std::string& value);
    IniChanges& setInt(const std::string& section, const std::string& key, int value);
    IniChanges& removeKey(const std::string& section, const std::string& key);

    struct Change {
        std::string section;
        std::string key;
        std::optional<std::string> value;  // nullopt removes the key
    };
    const std::vector<Change>& changes() const { return changes_; }

private:
    std::vector<Change> changes_;
};

// The settings file "Orvane.ini": sections in brackets and key=value lines,
// stored in cp932. Every primitive is one complete read, or one complete
// read-modify-write, of the file, so every read sees every earlier write.
// Section and key names match without regard to ASCII letter case. Lines,
// comments and sections this program does not know are kept byte for byte.
// Blanks around names and values are not part of them. A new key goes after
// the last key of its section, a new section to the end of the file; new
// lines end in CR LF.
//
// Readings of damaged files, chosen so that nothing crashes and nothing
// unmeant is lost:
// - the first of duplicate sections, and the first of duplicate keys in it,
//   is the one read and written; later duplicates are kept untouched;
// - lines without "=" are kept and ignored;
// - a value that is not valid cp932 reads as missing and is kept as it is
//   until it is overwritten;
// - an integer is an optional sign and decimal digits after leading blanks
//   (trailing text ignored); anything else, or a value beyond 32 bits, reads
//   as missing;
// - a section line without its closing "]" names the section all the same;
// - a line starting with ";" is a comment.
// Reading and rewriting take time in proportion to the file's size and keep
// no table of its lines, whatever the file holds.
class IniFile {
public:
    explicit IniFile(std::string fullPath);

    const std::string& path() const { return path_; }

    std::optional<std::string> readText(const std::string& section, const std::string& key) const;
    std::string readText(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
    std::optional<int> readInt(const std::string& section, const std::string& key) const;
    int readInt(const std::string& section, const std::string& key, int fallback) const;
    // Each key line of the first section of the name, in file order, from
    // one reading of the file: the key's name and its value as stored
    // (cp932), the value to be read with textOf or intOf.
    void forEachKey(const std::string& section,
                    const std::function<void(std::string_view key, std::string_view value)>& visit) const;
    // A stored value as readText and readInt read it.
    static std::optional<std::string> textOf(std::string_view stored);
    static std::optional<int> intOf(std::string_view stored);

    // False when the value has no cp932 form or the file cannot be written.
    bool writeText(const std::string& section, const std::string& key, const std::string& value);
    bool writeInt(const std::string& section, const std::string& key, int value);
    // Removes every line of the key in its section. True also when absent.
    bool removeKey(const std::string& section, const std::string& key);
    // Every change in one rewrite; false, with the file as it was, when a
    // name or value cannot be stored or the file cannot be written. Of two
    // changes of one key the later counts; new keys and sections are added
    // in the order they were first named.
    bool apply(const IniChanges& changes);

private:
    // The key's value as stored; nullopt when absent or not valid cp932.
    std::optional<std::string> readRaw(const std::string& section, const std::string& key) const;
    // Reads the file (missing: empty), applies the change and replaces the
    // file when the bytes differ.
    bool rewrite(const std::function<std::string(const std::string&)>& change);

    std::string path_;
};

}  // namespace orvane
