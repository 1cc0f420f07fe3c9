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

}  // namespace
}  // namespace numbrix
