#pragma once
// The tips window "Sabía que..." over "tips.ini" in the data folder.
#include <filesystem>

class QWidget;

namespace numbrix {

// At start (alIniciar) the window shows only when its show-at-start box was
// left checked; from the menu it always shows. Modal.
void MostrarConsejos(QWidget* padre, const std::filesystem::path& carpetaDatos, bool alIniciar);

}  // namespace numbrix
