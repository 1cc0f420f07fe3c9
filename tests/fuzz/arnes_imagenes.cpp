// The picture archive: any file, whole or lazy, with or without a password,
// loads or fails with ECorruptFile (never a crash, a huge allocation or a
// hang: the expansion is capped at 1 MiB here). What loads, written again as
// a stored archive, reads back item for item. The first byte picks the mode,
// the rest is the file.
#include "Arnes.h"
#include "support/Streams.h"

using namespace numbrix;

NUMBRIX_ARNES(imagenes) {
    if (entrada.empty()) return;
    const unsigned modo = static_cast<unsigned char>(entrada[0]);
    TStreams s;
    s.Perezoso = modo & 1;
    s.Password = (modo & 2) ? "clave" : "";
    s.MaximoExpandido = 1u << 20;
    try {
        s.Cargar(fuzz::ComoArchivo(entrada.substr(1), "form.img"));
    } catch (const ECorruptFile&) {
        fuzz::Exigir(s.Cantidad() == 0, "una carga fallida deja elementos");
        return;
    }
    std::vector<ItemArchivo> items;
    for (std::size_t i = 0; i < s.Cantidad(); ++i) {
        ItemArchivo it{s.Nombre(i), {}};
        fuzz::Exigir(s.ObtenerItem(it.Nombre, it.Datos), "un elemento del índice no se encuentra");
        items.push_back(std::move(it));
    }
    TStreams otra;
    otra.Password = "otra clave";
    otra.Cargar(fuzz::ComoArchivo(EscribirArchivoImagenes(items, (modo & 4) ? "otra clave" : ""), "copia.img"));
    fuzz::Exigir(otra.Cantidad() == items.size(), "la copia no tiene los mismos elementos");
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string d;
        fuzz::Exigir(otra.Nombre(i) == items[i].Nombre, "un nombre cambia en la copia");
        fuzz::Exigir(otra.ObtenerItem(items[i].Nombre, d) && d == items[i].Datos, "un elemento cambia en la copia");
    }
}
