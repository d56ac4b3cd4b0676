#include "core/wire/discovery.h"

#include "core/wire/framing.h"

namespace wire::discovery {

std::string AnswerText(std::string_view serverIp, int highestOffset, int portOffset) {
    return MessageText(ServerIp, serverIp, NoComputer, std::to_string(highestOffset), Port,
                       std::to_string(portOffset));
}

}  // namespace wire::discovery
