// A tool's file that could not be written when its window closed stays
// pending: the program's close writes it or asks, never drops it silently.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "shell/ui/Ventanas.h"
#include "support/EscrituraAtomica.h"
#include "tools/ui/fmSucec.h"

namespace numbrix {
namespace {

using Pendientes = VentanaPrincipal;

TEST_F(Pendientes, ElCierreEscribeLoQueUnaHerramientaNoPudo) {
    ConectarSucesiones(*ventana_);
    ventana_->MostrarHerramienta("Sucesiones", true);
    auto* w = static_cast<TfmSucec*>(ventana_->VentanaHerramienta("Sucesiones"));
    DefinicionSucesion d;
    d.Sn = "S1*37";
    w->PonerDefinicion(d);
    // Only suce.ini fails: numbrix.ini saving fine must not hide it.
    PasosDeEscritura().Renombrar = [](const char* de, const char* a) {
        return std::strstr(a, "suce.ini") ? (errno = EIO, -1) : std::rename(de, a);
    };
    QStringList cajas;
    auto responder = [&](const char* boton) {
        prueba::AlAparecerCaja([&cajas, boton](QMessageBox* c) {
            cajas << c->text();
            if (QString(boton) == "Reintentar") PasosDeEscritura() = PasosEscritura{};
            prueba::Elegir(c, boton);
        });
    };
    responder("Cerrar sin guardar");
    w->close();
    responder("Reintentar");
    EXPECT_TRUE(ventana_->GuardarTodo());
    PasosDeEscritura() = PasosEscritura{};
    ASSERT_EQ(cajas.size(), 2) << cajas.join("\n").toStdString();
    EXPECT_TRUE(cajas[1].startsWith("No se pudieron guardar los ajustes:\n") && cajas[1].contains("suce.ini"))
        << cajas[1].toStdString();
    EXPECT_NE(Leer(dir_ / "suce.ini").find("S1*37"), std::string::npos);
}

// «Cerrar sin guardar» at the program's close is final: the files' last
// chance at exit neither asks again nor writes once the fault has gone.
TEST_F(Pendientes, CerrarSinGuardarEsDefinitivo) {
    Calcular("2+3");
    const std::string antes = Leer(dir_ / "numbrix.ini");
    PasosDeEscritura().Renombrar = [](const char*, const char*) { return errno = EIO, -1; };
    int cajas = 0;
    prueba::AlAparecerCaja([&cajas](QMessageBox* c) {
        ++cajas;
        prueba::Elegir(c, "Cerrar sin guardar");
    });
    ventana_->close();
    PasosDeEscritura() = PasosEscritura{};
    ventana_.reset();
    sesion_.reset();
    EXPECT_EQ(cajas, 1);
    EXPECT_EQ(Leer(dir_ / "numbrix.ini"), antes);
}

}  // namespace
}  // namespace numbrix
