#pragma once

#include "platform/file_store.h"

namespace qtplatform {

// Settings files in the configuration folder, written through QSaveFile (temporary file, then
// rename) so a crash leaves either the old or the new file.
class QtFileStore : public platform::FileStore {
public:
    std::optional<std::string> read(const std::string& fileName) const override;
    bool writeAtomically(const std::string& fileName, const std::string& content) override;
};

}  // namespace qtplatform
