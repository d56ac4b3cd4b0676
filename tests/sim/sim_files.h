#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/append_log.h"
#include "platform/export_files.h"

namespace sim {

// The audit log in memory. Appends fail on demand, as on a full disk, or stop part-way, as when
// the program is killed in the middle of a write.
class MemoryAppendLog : public platform::AppendLog {
public:
    std::optional<std::string> read() const override;
    bool append(std::string_view bytes) override;
    std::string location() const override {
        return "/home/operator/.local/share/kestova/audit.jsonl";
    }

    void failAppends(bool fail = true) { failAppends_ = fail; }
    // The next append writes only this many of its bytes and fails.
    void cutNextAppendAfter(std::size_t bytes) { cutAfter_ = bytes; }
    void failReads(bool fail = true) { failReads_ = fail; }
    // Replaces the content, as the log a previous run left.
    void put(std::string content) { content_ = std::move(content); }
    const std::string& content() const { return content_; }
    // The bytes of every append that reached the disk whole, in order.
    const std::vector<std::string>& appends() const { return appends_; }
    // Runs as each append begins, e.g. to see what the program had done by then.
    std::function<void(std::string_view bytes)> onAppend;

private:
    std::string content_;
    std::vector<std::string> appends_;
    bool failAppends_ = false;
    bool failReads_ = false;
    std::optional<std::size_t> cutAfter_;
};

// The save dialog answered from the test's script, and the files saved.
class SimExportFiles : public platform::ExportFiles {
public:
    // The operator's answer to the next save dialog: a path, or empty to cancel. A dialog without
    // an answer fails the test.
    void answerNextSave(std::string path) { answers_.push_back(std::move(path)); }
    // The answer to every save dialog no scripted answer is left for.
    void answerEverySave(std::string path) { standingAnswer_ = std::move(path); }
    std::string choosePath(const std::string& title, const std::string& suggestedName,
                           const std::string& filter) override;
    bool write(const std::string& path, const std::string& content) override;

    // Fails the test when an answer was scripted for a dialog that never came.
    void verifyAllAnswersUsed() const;

    void failWrites(bool fail = true) { failWrites_ = fail; }
    // The file name each save dialog offered.
    const std::vector<std::string>& offeredNames() const { return offeredNames_; }
    const std::map<std::string, std::string>& written() const { return written_; }

private:
    std::vector<std::string> answers_;
    std::optional<std::string> standingAnswer_;
    std::vector<std::string> offeredNames_;
    std::map<std::string, std::string> written_;
    bool failWrites_ = false;
};

}  // namespace sim
