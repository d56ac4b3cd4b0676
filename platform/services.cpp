#include "platform/services.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
Services* g_services = nullptr;
}

Services& services() {
    if (g_services == nullptr) {
        std::fputs("kestova: platform services used before they were installed\n", stderr);
        std::abort();
    }
    return *g_services;
}

bool hasServices() {
    return g_services != nullptr;
}

void installServices(Services* services) {
    g_services = services;
}

}  // namespace platform
