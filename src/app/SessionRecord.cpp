#include "app/SessionRecord.h"

namespace orvane {
namespace {

const std::string section = "Session";
const std::string petKey = "Pet";
const std::string statusKey = "Status";
const std::string openKey = "Open";
const std::string plainKey = "Plain";
const std::string packedKey = "Packed";
const std::string dropKey = "Drop";
const std::string discardKey = "Discard";
const std::string discardInPlaceKey = "DiscardInPlace";
const std::string unpackingKey = "Unpacking";
const std::string movesKey = "Moves";

// Moves are kept as "from|to" joined by tabs: neither character can be part
// of a pet name or of the host's names.
constexpr char moveSeparator = '\t';
constexpr char nameSeparator = '|';

std::string joinMoves(const std::vector<PlannedMove>& moves) {
    std::string text;
    for (const PlannedMove& move : moves) {
        if (!text.empty()) text += moveSeparator;
        text += move.from + nameSeparator + move.to;
    }
    return text;
}

std::vector<PlannedMove> splitMoves(const std::string& text) {
    std::vector<PlannedMove> moves;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find(moveSeparator, begin);
        if (end == std::string::npos) end = text.size();
        const std::string move = text.substr(begin, end - begin);
        const std::size_t bar = move.find(nameSeparator);
        if (bar != std::string::npos) moves.push_back({move.substr(0, bar), move.substr(bar + 1)});
        begin = end + 1;
    }
    return moves;
}

void putFlag(IniChanges& changes, const std::string& key, bool set) {
    if (set) {
        changes.setInt(section, key, 1);
    } else {
        changes.removeKey(section, key);
    }
}

void putText(IniChanges& changes, const std::string& key, const std::string& value) {
    if (value.empty()) {
        changes.removeKey(section, key);
    } else {
        changes.setText(section, key, value);
    }
}

}  // namespace

SessionRecord readSessionRecord(const IniFile& file) {
    SessionRecord record;
    record.pet = file.readText(section, petKey, "");
    record.status = file.readInt(section, statusKey);
    record.open = file.readInt(section, openKey, 0) != 0;
    record.plain = file.readText(section, plainKey, "");
    record.packed = file.readText(section, packedKey, "");
    record.drop = file.readText(section, dropKey, "");
    record.discard = file.readText(section, discardKey, "");
    record.discardInPlace = file.readInt(section, discardInPlaceKey, 0) != 0;
    record.unpacking = file.readText(section, unpackingKey, "");
    record.moves = splitMoves(file.readText(section, movesKey, ""));
    return record;
}

void putSessionRecord(IniChanges& changes, const SessionRecord& record) {
    putText(changes, petKey, record.pet);
    if (record.status) {
        changes.setInt(section, statusKey, *record.status);
    } else {
        changes.removeKey(section, statusKey);
    }
    putFlag(changes, openKey, record.open);
    putText(changes, plainKey, record.plain);
    putText(changes, packedKey, record.packed);
    putText(changes, dropKey, record.drop);
    putText(changes, discardKey, record.discard);
    putFlag(changes, discardInPlaceKey, record.discardInPlace);
    putText(changes, unpackingKey, record.unpacking);
    putText(changes, movesKey, joinMoves(record.moves));
}

}  // namespace orvane
