// tips.ini: any file gives a tip to show, never a failure.
#include "Arnes.h"
#include "shell/Consejos.h"
#include "shell/VelIni.h"

using namespace numbrix;

NUMBRIX_ARNES(consejos) {
    TVelIniFile archivo(fuzz::ComoArchivo(entrada, "tips.ini"), {}, fuzz::SoloLectura());
    TConsejos consejos;
    consejos.Leer(archivo);
    fuzz::Exigir(!consejos.Texto().empty(), "ningún texto que mostrar");
}
