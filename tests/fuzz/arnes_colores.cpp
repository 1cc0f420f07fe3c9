// colores.ini: any file loads its schemes; every scheme read gives colours
// whose text form reads back the same.
#include "Arnes.h"
#include "shell/Esquemas.h"
#include "shell/VelIni.h"

using namespace numbrix;

NUMBRIX_ARNES(colores) {
    TVelIniFile archivo(fuzz::ComoArchivo(entrada, "colores.ini"), {}, fuzz::SoloLectura());
    TEsquemas esquemas;
    esquemas.Cargar(archivo);
    T4Colores c;
    if (LeerColores(entrada, c)) {
        T4Colores otra;
        fuzz::Exigir(LeerColores(TextoColores(c), otra), "el texto escrito no se lee");
        fuzz::Exigir(otra.Luz == c.Luz && otra.Sombra == c.Sombra && otra.Texto == c.Texto && otra.Fondo == c.Fondo,
                     "los colores cambian");
    }
}
