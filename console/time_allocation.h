#pragma once

// Minutes for the client in the highlighted row: a new allocation, minutes added to a client in
// use, or minutes taken away. The server changes the client's time and reports it in its record.
namespace kestova {

class KestovaMain;

void AllocateTime(KestovaMain& main);
void DeallocateTime(KestovaMain& main);

}  // namespace kestova
