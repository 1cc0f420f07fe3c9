#pragma once
// The matrix window as a tool of the main window: its registration (menu,
// button, Ctrl+M, help), its settings in numbrix.ini and the program's
// prompt, boxes and colours it works with.
namespace numbrix {

class TfrmCalcu;

// False when the name or the letter is taken.
bool RegistrarMatrices(TfrmCalcu& principal);

}  // namespace numbrix
