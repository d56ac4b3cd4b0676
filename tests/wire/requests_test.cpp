#include "core/wire/requests.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// What the supervision waits an answer for: only what the server always answers.
TEST(AnsweredRequest, RequestsAreAnsweredCommandsAndGivenBackBatchesAreNot) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"UPDATE||||", true},
        {"||UPDATE||", true},
        {"||F-LOGIN||Username = 'a' and Password = 'b'||", true},
        {"||POSTICKET||60|3|100|False|1|0|JOHN||", true},
        {"||MDEACTIVATE2||000000000009-000-999-MARY||", true},
        {"||F-REPORTSUMMARY2||07/Dec/2026||", true},
        {"||POSTICKET||FALSE||KSG260000042||", false},
        {"||POSTICKET||FALSE||", false},
        {"||YESCONNECT||||", false},
        {"||F-ALLOCATE||3600||FALSE||1||", false},
        {"AUTHENTICATING||FALSE||STATE||Authenticating ..||", false},
        {"", false},
    };
    for (const auto& [message, answered] : cases) {
        EXPECT_EQ(wire::request::IsAnswered(message), answered) << message;
    }
}

}  // namespace
