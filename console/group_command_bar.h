#pragma once

// The group command bar below the client grid: a command from the list `Combo1` for all client
// slots (`Option1`) or for the highlighted and marked clients (`Option2`), run by `Command1`.
// The list offers what the operator's right allows.
namespace kestova {

class KestovaMain;

// Fills the list when it is empty; only the focus adds the hide/show entries.
void FillGroupCommands(KestovaMain& main, bool fromFocus);
void ChooseAllClients(KestovaMain& main);
void ChooseSelectedClients(KestovaMain& main);
void ChooseGroupCommand(KestovaMain& main);
void ExecuteGroupCommand(KestovaMain& main);
// Back to idle for a new operator: no scope and no command chosen, "E&xecute" disabled, the list
// empty until its next focus fills it for the new right.
void ResetGroupCommandBar(KestovaMain& main);

}  // namespace kestova
