#include "core/wire/replies.h"

#include <algorithm>
#include <array>

namespace wire::reply {
namespace {

constexpr std::array<Keyword, 33> kKeywords{{
    {CMessage, 1},       {IMessage, 1},  {Message, 1},     {DownBill, 1},      {StillConnected, 1},
    {AddPause, 1},       {AddTime, 1},   {CMess, 1},       {PosType, 1},       {DisLog, 1},
    {ShutRest, 1},       {Prints, 1},    {UpdateX, 1},     {Type, 1},          {Search, 2},
    {KestovaUpdate, 11}, {Login, 1},     {PrintPos, 2},    {PosLog, 1},        {NoTicket1, 1},
    {Ticket1, 1},        {Activated, 1}, {Deactivated, 1}, {ActMessage, 1},    {MActivated, 1},
    {MDeactivated, 1},   {MList, 1},     {PosSummary, 1},  {ReportSummary, 1}, {NoReportSummary, 1},
    {NoPosSummary, 1},   {Update, 1},    {QuickType, 1},
}};

}  // namespace

std::span<const Keyword> Keywords() {
    return kKeywords;
}

const Keyword* Find(std::string_view upperKeyword) {
    const auto it =
        std::find_if(kKeywords.begin(), kKeywords.end(),
                     [upperKeyword](const Keyword& k) { return k.name == upperKeyword; });
    return it == kKeywords.end() ? nullptr : &*it;
}

std::size_t LongestKeyword() {
    // Asked for at every candidate end of a message the receive path looks at.
    static const std::size_t longest = std::max_element(kKeywords.begin(), kKeywords.end(),
                                                        [](const Keyword& a, const Keyword& b) {
                                                            return a.name.size() < b.name.size();
                                                        })
                                           ->name.size();
    return longest;
}

std::size_t MostValues() {
    return std::max_element(kKeywords.begin(), kKeywords.end(),
                            [](const Keyword& a, const Keyword& b) { return a.values < b.values; })
        ->values;
}

}  // namespace wire::reply
