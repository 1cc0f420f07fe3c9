#pragma once
// The unit model: every magnitude and unit comes from the user's file
// "maguni.def"; each unit converts to and from its magnitude's fundamental
// unit through two trees in the variable U, so n units need 2n formulas.
//
// One TModeloUnidades is made by the program before any window and shared by
// the main window, the unit windows and the formula library. Every
// (re)load replaces the whole model and raises Generacion(): whoever keeps
// indices or codes rebuilds when it changes.
//
// Names are looked up by exact spelling first and ignoring case only as a
// fallback: "mm" and "Mm" are different units.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ExpresionX.h"
#include "support/Errores.h"

namespace numbrix {

class TVelIniFile;

class EConvUnid : public ENumbrix {
public:
    explicit EConvUnid(const std::string& mensaje, std::string detalle = {})
        : ENumbrix(mensaje), Detalle(std::move(detalle)) {}
    // The engine's own compile message, when a side did not compile.
    std::string Detalle;
};

// The trimmed text before the first "_" (all of it when there is none) and
// the trimmed text after it (empty when there is none).
// «La magnitud "%s" no esta declarada»: an unknown magnitude or unit.
std::string MensajeNoDeclarada(std::string_view nombre);

std::string PrimeraParte(std::string_view texto);
std::string SegundaParte(std::string_view texto);

// Bits 0-7 magnitude, 8-15 source unit, 16-23 target unit: the menu's tag.
using CodigoConversion = std::int32_t;
constexpr int MaxIndiceCodigo = 255;
constexpr CodigoConversion HacerCodigo(int magnitud, int origen, int destino) {
    return (destino << 16) + (origen << 8) + magnitud;
}

// One unit: its definition text and the two trees, kept alive here (they were
// compiled by the model's engine, see TModeloUnidades::CrearUnidad).
struct TUnidad {
    std::string Definicion;
    Ref<TEvalX> AFundamental;  // U in this unit -> the fundamental unit
    Ref<TEvalX> DeFundamental; // U in the fundamental unit -> this unit
};

struct UnidadMagnitud {
    std::string Nombre;
    TUnidad Unidad;
};

struct Magnitud {
    std::string Nombre;
    std::vector<UnidadMagnitud> Unidades;  // file order; the fundamental where its key stood
    int Fundamental = -1;                  // its index; -1 when the section names none
};

class TModeloUnidades {
public:
    static constexpr const char* NombreArchivo = "maguni.def";

    // Makes MotorUnidades (built-ins on, U, "PI/¶", "G"); the model is empty.
    TModeloUnidades();
    ~TModeloUnidades();
    TModeloUnidades(const TModeloUnidades&) = delete;
    TModeloUnidades& operator=(const TModeloUnidades&) = delete;

    // Reloads everything from the keyed unit file (missing or empty: no
    // magnitudes). Faulty units and the file's load report go to
    // ErroresCarga; they never stop the load.
    void CargarMagnitudes(const std::filesystem::path& archivo);
    // The same from an open file (its report joins ErroresCarga too).
    void CargarMagnitudes(const TVelIniFile& ini);
    void LiberarMagnitudes();

    // Sorted ignoring case and accents.
    const std::vector<Magnitud>& Magnitudes() const { return magnitudes_; }
    // One line per problem of the last load, each ending in "\r\n".
    const std::string& ErroresCarga() const { return errores_; }
    // Different after every load, never repeated by any model of the process.
    std::uint64_t Generacion() const { return generacion_; }
    TExpresionX& MotorUnidades() { return *motor_; }

    // Builds a unit from one definition; raises EConvUnid.
    TUnidad CrearUnidad(const std::string& definicion);

    // Engine errors (division by zero, overflow, domain) reach the caller.
    long double AFundamental(const TUnidad& u, long double valor);
    long double DeFundamental(const TUnidad& u, long double valor);
    long double ConvertirUnidades(std::string_view magnitud, std::string_view origen, std::string_view destino,
                                  long double valor);
    // Raises EConvUnid for a code whose indices are not in the model.
    long double ConvertirPorCodigo(CodigoConversion codigo, long double valor);
    // "km -> m (Longitud)"; raises EConvUnid for a code not in the model.
    std::string DescribirConversion(CodigoConversion codigo) const;

    // Index or -1: exact spelling first, then ignoring case.
    int BuscarMagnitud(std::string_view nombre) const;
    int BuscarUnidad(int magnitud, std::string_view nombre) const;

private:
    void Comprobar(CodigoConversion codigo, int& m, int& o, int& d) const;
    long double Evaluar(const Ref<TEvalX>& arbol, long double valor);

    std::unique_ptr<TExpresionX> motor_;
    std::shared_ptr<TVariableX> u_;
    std::vector<Magnitud> magnitudes_;
    std::string errores_;
    std::uint64_t generacion_ = 0;
};

// The sort key of magnitude names: lower case, accents dropped (Área sorts
// with the A's).
std::string ClaveOrdenSinAcentos(std::string_view nombre);

}  // namespace numbrix
