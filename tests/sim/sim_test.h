#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/sim/sim_services.h"
#include "tests/sim/sim_user.h"

namespace sim {

// A behaviour test reads as given / when / then:
//
//   TEST_F(LoginTest, AdministratorIsGrantedTheMenus) {
//       sim::SimListener& server = givenServerListening(1000);           // given
//       server.onReceive = [](sim::SimPeer& peer, const std::string&) { peer.send(reply); };
//       dialogs().expectMsgBox(HasSubstr("Welcome"), platform::msgbox::OK);
//       afterMs(500, [&] { sim::TypeInto(login.Text1, "admin"); });     // when (runs inside
//       afterMs(900, [&] { login.Command1.DoClick(); });                 //  the modal loop)
//       login.Show(true);
//       advance(3000);                                                   // then
//       EXPECT_EQ(server.lastPeer().received(), expectedBytes);
//   }
//
// Base of every behaviour test: a fresh simulated platform installed for the whole life of the
// fixture (so windows that are members of a derived fixture can create sockets and timers while
// they are constructed and stop them while they are destroyed), and a check at the end that every
// scripted dialog answer was used.
class SimTest : public ::testing::Test {
protected:
    SimTest();
    void TearDown() override;

    SimServices& services() { return services_; }
    SimLoop& loop() { return services_.loop(); }
    SimClock& clock() { return services_.clock(); }
    SimDialogs& dialogs() { return services_.dialogs(); }
    SimNetwork& network() { return services_.network(); }
    MemoryFileStore& files() { return services_.files(); }
    SimShell& shell() { return services_.shell(); }
    SimInstanceGuard& instanceGuard() { return services_.instanceGuard(); }
    SimAutostart& autostart() { return services_.autostart(); }
    MemoryAppendLog& auditLog() { return services_.auditLog(); }
    SimExportFiles& exportFiles() { return services_.exportFiles(); }
    SimSerialLines& serialLines() { return services_.serialLines(); }
    SimPrintSpool& printers() { return services_.printers(); }
    SimNotifier& notifier() { return services_.notifier(); }

    // given: a scripted server on loopback.
    SimListener& givenServerListening(int port) { return network().listen(kLoopback, port); }
    // when: the operator acts after delayMs of virtual time (also inside modal windows).
    void afterMs(Ms delayMs, std::function<void()> action) {
        loop().scheduleInput(delayMs, std::move(action));
    }
    // then-side: let virtual time pass, running everything that falls due.
    void advance(Ms ms) { loop().advance(ms); }
    void yield() { loop().yield(); }

    static constexpr const char* kLoopback = "127.0.0.1";

private:
    SimServices services_;
    InstalledServices installed_{services_};
};

}  // namespace sim
