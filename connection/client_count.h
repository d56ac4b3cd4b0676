#pragma once

namespace ui {
class Grid;
}

namespace kestova {

struct ClientCount {
    int connected = 0;
    int inUse = 0;
};

// Recounts the client table for the status bar. A row is connected when it is shown and has
// both a client name and a client address; it stays shown, every other row is hidden. A
// connected row whose "Information" begins with "Logged in" is in use.
ClientCount RecountClients(ui::Grid& grid);

}  // namespace kestova
