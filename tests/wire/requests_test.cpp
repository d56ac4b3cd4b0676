#include "core/wire/requests.h"

#include <gtest/gtest.h>

namespace {

// The supervision waits for an answer only to what the server always answers.
TEST(AnsweredRequest, RequestsAreAnsweredCommandsAndGivenBackBatchesAreNot) {
    for (const char* answered : {"UPDATE||||", "||UPDATE||", "||F-LOGIN||Username = 'a'||",
                                 "||POSTICKET||60|3|100|False|1|0|JOHN||",
                                 "||MDEACTIVATE2||000000000009-000-999-MARY||"}) {
        EXPECT_TRUE(wire::request::IsAnswered(answered)) << answered;
    }
    for (const char* unanswered : {"||POSTICKET||FALSE||KSG260000042||", "||POSTICKET||FALSE||",
                                   "||YESCONNECT||||", "||F-ALLOCATE||3600||FALSE||1||",
                                   "AUTHENTICATING||FALSE||STATE||Authenticating ..||", ""}) {
        EXPECT_FALSE(wire::request::IsAnswered(unanswered)) << unanswered;
    }
}

}  // namespace
