// The settings store and the machine store on the simulated platform's file store: hostile
// kestova.ini and machine.ini written underneath by "another program", writes that fail as on a
// full disk, and reads and writes with hostile sections, keys, paths and values in any order.
// What a write stores reads back (as the machine store's reads shape it), a failed write leaves
// the file as it was, and a file changed underneath is what the next read sees.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/machine_store.h"
#include "core/settings.h"
#include "core/settings_file.h"
#include "core/settings_io.h"
#include "core/wire/codepage.h"
#include "fuzz/fuzz_check.h"
#include "tests/sim/sim_services.h"

namespace {

using namespace kestova;

sim::SimServices& Services() {
    static sim::SimServices services;
    static sim::InstalledServices installed(services);
    return services;
}

// What a machine-store read of a stored text gives.
std::string AsRead(const std::string& stored) {
    if (wire::CharacterCount(stored) > kRegistryBufferSize) {
        return std::string(kRegistryError);
    }
    std::string_view text = stored;
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    return std::string(text.substr(0, text.find('\0')));
}

std::string KeyPathOf(RootKey root, const std::string& subKey) {
    return std::string(RootKeyName(root)) + (subKey.empty() ? "" : "\\" + subKey);
}

void CheckSettingsWrite(FuzzedDataProvider& input, sim::MemoryFileStore& files, bool failing) {
    const std::string section = input.ConsumeRandomLengthString(32);
    const std::string key = input.ConsumeRandomLengthString(32);
    const std::string value = input.ConsumeRandomLengthString(300);
    const std::string before = files.contents(std::string(kSettingsFileName));
    const std::string valueBefore = ReadSetting(section, key, "\x01none");
    WriteSetting(section, key, value);
    if (failing) {
        FUZZ_CHECK(files.contents(std::string(kSettingsFileName)) == before);
        FUZZ_CHECK(ReadSetting(section, key, "\x01none") == valueBefore);
    } else {
        FUZZ_CHECK(ReadSetting(section, key, "\x01none") == value);
    }
}

void CheckMachineWrite(FuzzedDataProvider& input, sim::MemoryFileStore& files, bool failing) {
    // 0 and an unknown handle stand for roots the store does not know.
    const RootKey root = input.PickValueInArray<RootKey>(
        {0, kClassesRoot, kCurrentUser, kLocalMachine, kUsers, kCurrentConfig, kDynData, 7});
    const std::string subKey = input.ConsumeRandomLengthString(48);
    const std::string name = input.ConsumeRandomLengthString(32);
    const std::string text = input.ConsumeRandomLengthString(300);
    const std::string before = files.contents(std::string(kMachineStoreFileName));
    const int way = input.ConsumeIntegralInRange(0, 2);
    const std::string path = KeyPathOf(root, subKey);
    if (way == 0) {
        SetRegistryValue(root, subKey, name, text);
    } else if (way == 1) {
        CreateRegistryKey(path);
        WriteRegistryString(path, name, text);
    } else {
        DeleteRegistryValue(root, subKey, name);
    }
    const std::string read = ReadRegistryString(path, name);
    if (failing) {
        FUZZ_CHECK(files.contents(std::string(kMachineStoreFileName)) == before);
        return;
    }
    const bool addressable =
        !RootKeyName(root).empty() && (subKey.empty() || subKey.back() != '\\');
    if (!addressable) {
        FUZZ_CHECK(read.empty());
    } else if (way == 2) {
        FUZZ_CHECK(read == kRegistryError);
    } else {
        FUZZ_CHECK(read == AsRead(text));
    }
}

// Both files gone and the stores' memory of them with them, so each input starts alike and frees
// what it made: an input that ends holding more than it started with is run again by the fuzzer
// to look for a leak.
void EmptyStores(sim::MemoryFileStore& files) {
    files.failWrites(false);
    for (const std::string_view fileName : {kSettingsFileName, kMachineStoreFileName}) {
        files.remove(std::string(fileName));
        SettingsDocument(fileName);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sim::MemoryFileStore& files = Services().files();
    EmptyStores(files);
    FuzzedDataProvider input(data, size);
    bool failing = false;
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 4)) {
            case 0: {  // another program replaces a file
                const std::string fileName(input.ConsumeBool() ? kSettingsFileName
                                                               : kMachineStoreFileName);
                const std::string text = input.ConsumeRandomLengthString(600);
                files.put(fileName, text);
                const std::string section = input.ConsumeRandomLengthString(16);
                const std::string key = input.ConsumeRandomLengthString(16);
                const IniDocument written = IniDocument::Parse(text);
                const std::string* stored = written.findValue(section, key);
                if (fileName == kSettingsFileName) {
                    FUZZ_CHECK(ReadSetting(section, key, "\x01none") ==
                               (stored != nullptr ? *stored : "\x01none"));
                }
                break;
            }
            case 1:
                failing = !failing;
                files.failWrites(failing);
                break;
            case 2:
                CheckSettingsWrite(input, files, failing);
                break;
            case 3:
                CheckMachineWrite(input, files, failing);
                break;
            default: {  // any path at all reads as nothing, an error or a bounded plain text
                const std::string read = ReadRegistryString(input.ConsumeRandomLengthString(64),
                                                            input.ConsumeRandomLengthString(16));
                FUZZ_CHECK(read.empty() || read == kRegistryError ||
                           (wire::CharacterCount(read) <= kRegistryBufferSize && read[0] != ' ' &&
                            read.find('\0') == std::string::npos));
                break;
            }
        }
    }
    EmptyStores(files);
    return 0;
}
