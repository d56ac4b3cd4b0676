// The settings-file reader on hostile kestova.ini and machine.ini text: it never fails, what it
// reads writes back to a text that reads the same, and values set through it read back exactly.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/settings_file.h"
#include "fuzz/fuzz_check.h"

namespace {

void CheckSameContent(const kestova::IniDocument& a, const kestova::IniDocument& b) {
    FUZZ_CHECK(a.sections().size() == b.sections().size());
    for (const kestova::IniSection& section : a.sections()) {
        const kestova::IniSection* other = b.findSection(section.name);
        FUZZ_CHECK(other != nullptr && other->name == section.name);
        FUZZ_CHECK(other->entries.size() == section.entries.size());
        for (const kestova::IniEntry& entry : section.entries) {
            const std::string* value = b.findValue(section.name, entry.key);
            FUZZ_CHECK(value != nullptr && *value == entry.value);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // A few edits with hostile names and values, then the rest of the input as the file.
    const int edits = input.ConsumeIntegralInRange<int>(0, 3);
    struct Edit {
        std::string section, key, value;
    };
    Edit made[3];
    for (int i = 0; i < edits; ++i) {
        made[i].section = input.ConsumeRandomLengthString(64);
        made[i].key = input.ConsumeRandomLengthString(64);
        made[i].value = input.ConsumeRandomLengthString(256);
    }
    kestova::IniDocument document =
        kestova::IniDocument::Parse(input.ConsumeRemainingBytesAsString());

    const std::string written = document.Serialize();
    const kestova::IniDocument reread = kestova::IniDocument::Parse(written);
    CheckSameContent(document, reread);
    FUZZ_CHECK(reread.Serialize() == written);

    for (int i = 0; i < edits; ++i) {
        document.setValue(made[i].section, made[i].key, made[i].value);
    }
    const kestova::IniDocument edited = kestova::IniDocument::Parse(document.Serialize());
    CheckSameContent(document, edited);
    if (edits > 0) {
        const Edit& last = made[edits - 1];
        const std::string* value = edited.findValue(last.section, last.key);
        FUZZ_CHECK(value != nullptr && *value == last.value);
    }
    return 0;
}
