#pragma once
// Every kind of file Numbrix writes, each saved through the code that saves
// it in the program (not the writer alone), in two versions that differ.
// The kill test and the write-failure table run over this one list.
#include <filesystem>
#include <string>
#include <vector>

namespace numbrix::prueba {

struct TipoArchivo {
    const char* nombre;    // the file written, relative to the folder
    // Saves version `version` (0 or 1) into `carpeta`; returns the Spanish
    // message the user reads when the save fails, empty when it worked.
    std::string (*guardar)(const std::filesystem::path& carpeta, int version);
    bool streaming = false;  // written piece by piece (a prime list)
};

const std::vector<TipoArchivo>& TiposArchivo();

// Names of temporary files of interrupted writes left in `carpeta`.
std::vector<std::string> Temporales(const std::filesystem::path& carpeta);

}  // namespace numbrix::prueba
