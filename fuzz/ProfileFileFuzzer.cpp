// Any bytes as an initialisation file: they come back unchanged, and a write changes only the
// lines it must while its value reads back.
#include "base/Couples.h"
#include "base/ProfileFile.h"
#include "fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A byte-order mark at the start stays where it is, a line of its own here: what follows it is
// the first line.
std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        lines.emplace_back(bytes.substr(0, 3));
        bytes.remove_prefix(3);
    }
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        lines.emplace_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return lines;
}

// The program only uses plain names; a name that would read back as something else (a comment,
// a section, a key with an "=") is made plain.
std::string Name(std::string name) {
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '=' || c == '[' || c == ']' || c == ';' ||
            c == ' ')
            c = '_';
    }
    return name.empty() ? std::string("k") : name;
}

// What Read gives for a value Write stored.
std::string ReadBack(std::string value) {
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; },
        ' ');
    std::string_view view = value;
    const auto first = view.find_first_not_of(" \t");
    view = first == std::string_view::npos ? std::string_view() : view.substr(first);
    view = view.substr(0, view.find_last_not_of(" \t") + 1);
    if (view.size() >= 2 && view.front() == '"' && view.back() == '"')
        view = view.substr(1, view.size() - 2);
    return std::string(view); // values here are far shorter than the cut
}

// The lines of `after` are those of `before`, except one entry line whose text up to its "="
// stayed, or one or two new lines (an entry, maybe after a new section header), before which one
// line may have gained the line break it lacked.
bool OnlyTheEntryChanged(const std::string& before, const std::string& after,
                         const std::string& key) {
    if (before == after)
        return true; // the same value again
    const std::vector<std::string> old = Lines(before);
    const std::vector<std::string> now = Lines(after);
    std::size_t head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head])
        ++head;
    std::size_t tail = 0;
    while (tail < old.size() - head && tail < now.size() - head &&
           old[old.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    const std::vector<std::string> removed(old.begin() + head, old.end() - tail);
    std::vector<std::string> added(now.begin() + head, now.end() - tail);

    if (removed.size() == 1 && added.size() == 1) {
        const auto equals = removed[0].find('=');
        if (equals != std::string::npos &&
            added[0].compare(0, equals + 1, removed[0], 0, equals + 1) == 0)
            return true; // replaced in place
        // Otherwise the removed line only gained a line break, and the entry went after it.
    }
    if (removed.size() > 1 || added.size() < removed.size())
        return false;
    if (removed.size() == 1) {
        if (!added[0].starts_with(removed[0]) ||
            (added[0] != removed[0] + "\n" && added[0] != removed[0] + "\r\n"))
            return false;
        added.erase(added.begin());
    }
    if (added.empty() || added.size() > 2)
        return false;
    if (added.size() == 2 && !added[0].starts_with("["))
        return false;
    return added.back().starts_with(key + "=");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = Name(input.ConsumeRandomLengthString(24));
    const std::string key = Name(input.ConsumeRandomLengthString(24));
    const std::string first = input.ConsumeRandomLengthString(64);
    const std::string second = input.ConsumeRandomLengthString(64);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    TProfileFile file(bytes);
    FUZZ_CHECK(file.Bytes() == bytes);
    for (const std::string& name : file.Keys(section))
        FUZZ_CHECK(file.Read(section, name).has_value());
    (void)file.HasSection(section);

    // A new or replaced entry, then certainly a replacement.
    for (int write = 0; write < 2; ++write) {
        const std::string& value = write == 0 ? first : second;
        const std::string before = file.Bytes();
        file.Write(section, key, value);
        FUZZ_CHECK(file.Read(section, key) == ReadBack(value));
        FUZZ_CHECK(file.HasSection(section));
        FUZZ_CHECK(OnlyTheEntryChanged(before, file.Bytes(), key));
        if (write == 1)
            FUZZ_CHECK(Lines(file.Bytes()).size() == Lines(before).size());
        // The file on disk reads back the same.
        const TProfileFile reread(file.Bytes());
        FUZZ_CHECK(reread.Bytes() == file.Bytes());
        FUZZ_CHECK(reread.Read(section, key) == ReadBack(value));
    }

    // A couple of a new name saved into whatever the file holds reads back last, and deleting it
    // leaves the couples that were there.
    const TCoupleReading reading{[](std::string_view text) { return std::string(text); }, {}, 2026};
    const std::vector<TStoredCouple> couples = ReadCouples(file, reading);
    const auto name = CoupleName(first);
    if (name && couples.size() < MaxCouples &&
        std::none_of(couples.begin(), couples.end(),
                     [&](const TStoredCouple& c) { return c.Name == *name; })) {
        const TStoredCouple couple{*name, *EncodeDate(1982, 12, 23), *EncodeDate(1983, 9, 29)};
        FUZZ_CHECK(SaveCouple(file, reading, couple) == TCoupleChange::Done);
        const std::vector<TStoredCouple> saved = ReadCouples(TProfileFile(file.Bytes()), reading);
        FUZZ_CHECK(!saved.empty() && saved.back() == couple);
        FUZZ_CHECK(DeleteCouple(file, reading, *name) == TCoupleChange::Done);
        FUZZ_CHECK(ReadCouples(TProfileFile(file.Bytes()), reading) == couples);
    }
    return 0;
}
