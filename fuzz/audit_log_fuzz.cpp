// The audit log's reader on hostile text (a log damaged or forged): verification never fails,
// an intact log's tail is where its verification ends, and an entry appended there keeps it
// intact, one entry longer.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/audit/chain.h"
#include "core/audit/log_lines.h"
#include "core/audit/verify.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    audit::Entry next;
    next.time = "2026-12-08T14:05:00Z";
    next.who = input.ConsumeRandomLengthString(32);
    next.what = input.ConsumeRandomLengthString(64);
    const std::string log = input.ConsumeRemainingBytesAsString();

    const audit::Verification verification = audit::Verify(log);
    FUZZ_CHECK(static_cast<std::int64_t>(audit::EntriesOf(log).size()) >= verification.entries);
    if (!verification.intact()) {
        return 0;
    }
    const audit::Tail tail = audit::TailOf(log);
    FUZZ_CHECK(tail.head == verification.head);
    const std::string longer = log + audit::Append(tail, next).bytes;
    const audit::Verification after = audit::Verify(longer);
    FUZZ_CHECK(after.intact());
    FUZZ_CHECK(after.entries == verification.entries + 1);
    FUZZ_CHECK(!after.unfinishedTail.has_value());
    return 0;
}
