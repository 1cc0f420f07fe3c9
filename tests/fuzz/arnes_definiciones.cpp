// real.duf: any file loads; every definition it gives registers in the
// real and complex engines or is reported, and a call of it evaluates.
#include "Arnes.h"
#include "shell/DefinicionesUsuario.h"
#include "shell/VelIni.h"

using namespace numbrix;

NUMBRIX_ARNES(definiciones) {
    TVelIniFile archivo(fuzz::ComoArchivo(entrada, "real.duf"), {}, fuzz::SoloLectura());
    const DefinicionesUsuario defs = LeerDefiniciones(archivo);
    fuzz::Plazo plazo(200);
    TExpresionX principal, auxiliar;
    principal.SetPredefinidas(true);
    principal.Silencioso = true;
    auxiliar.SetPredefinidas(true);
    auxiliar.Silencioso = true;
    principal.Cancelar = plazo;
    auxiliar.Cancelar = plazo;
    const auto nombres = RegistrarDefiniciones(defs, principal, auxiliar, {});
    TExpresionC principalC, auxiliarC;
    principalC.SetPredefinidas(true);
    principalC.Silencioso = true;
    auxiliarC.SetPredefinidas(true);
    auxiliarC.Silencioso = true;
    principalC.Cancelar = plazo;
    auxiliarC.Cancelar = plazo;
    RegistrarDefiniciones(defs, principalC, auxiliarC, {});
    for (const auto& d : defs.funciones) {
        principal.SetTexto(TextoInsertarFuncion(d.nombre, 1));
        (void)principal.Valor();
    }
    (void)nombres;
}
