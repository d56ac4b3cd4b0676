#include "tests/sim/sim_files.h"

#include <gtest/gtest.h>

namespace sim {

std::optional<std::string> MemoryAppendLog::read() const {
    if (failReads_) {
        return std::nullopt;
    }
    return content_;
}

bool MemoryAppendLog::append(std::string_view bytes) {
    if (onAppend) {
        onAppend(bytes);
    }
    if (failAppends_) {
        return false;
    }
    if (cutAfter_) {
        content_.append(bytes.substr(0, *cutAfter_));
        cutAfter_.reset();
        return false;
    }
    content_.append(bytes);
    appends_.emplace_back(bytes);
    return true;
}

std::string SimExportFiles::choosePath(const std::string& title, const std::string& suggestedName,
                                       const std::string& filter) {
    (void)filter;
    offeredNames_.push_back(suggestedName);
    if (answers_.empty() && standingAnswer_.has_value()) {
        return *standingAnswer_;
    }
    if (answers_.empty()) {
        ADD_FAILURE() << "Unexpected save dialog \"" << title << "\" offering " << suggestedName;
        return {};
    }
    std::string answer = std::move(answers_.front());
    answers_.erase(answers_.begin());
    return answer;
}

void SimExportFiles::verifyAllAnswersUsed() const {
    for (const std::string& answer : answers_) {
        ADD_FAILURE() << "No save dialog came for the answer \"" << answer << "\"";
    }
}

bool SimExportFiles::write(const std::string& path, const std::string& content) {
    if (failWrites_) {
        return false;
    }
    written_[path] = content;
    return true;
}

}  // namespace sim
