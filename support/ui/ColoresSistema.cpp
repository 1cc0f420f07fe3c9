#include "support/ui/ColoresSistema.h"

#include <QGuiApplication>

namespace numbrix {

RolSistema RolDeColorSistema(int indice) {
    using P = QPalette;
    switch (indice) {
    case csBarraDesplazamiento: return {P::Active, P::Button};
    case csEscritorio: return {P::Active, P::Dark};
    case csTituloActivo: return {P::Active, P::Highlight};
    case csTituloInactivo: return {P::Inactive, P::Mid};
    case csMenu: return {P::Active, P::Window};
    case csVentana: return {P::Active, P::Base};
    case csMarcoVentana: return {P::Active, P::Shadow};
    case csTextoMenu: return {P::Active, P::WindowText};
    case csTextoVentana: return {P::Active, P::Text};
    case csTextoTitulo: return {P::Active, P::HighlightedText};
    case csBordeActivo: return {P::Active, P::Window};
    case csBordeInactivo: return {P::Inactive, P::Window};
    case csFondoAplicacion: return {P::Active, P::Dark};
    case csResaltado: return {P::Active, P::Highlight};
    case csTextoResaltado: return {P::Active, P::HighlightedText};
    case csCaraBoton: return {P::Active, P::Button};
    case csSombraBoton: return {P::Active, P::Dark};
    case csTextoGris: return {P::Disabled, P::Text};
    case csTextoBoton: return {P::Active, P::ButtonText};
    case csTextoTituloInactivo: return {P::Inactive, P::WindowText};
    case csLuzBoton: return {P::Active, P::Light};
    case csSombraOscura3D: return {P::Active, P::Shadow};
    case csLuz3D: return {P::Active, P::Midlight};
    case csTextoAyuda: return {P::Active, P::ToolTipText};
    case csFondoAyuda: return {P::Active, P::ToolTipBase};
    case csEnlace: return {P::Active, P::Link};
    case csDegradadoTituloActivo: return {P::Active, P::Highlight};
    case csDegradadoTituloInactivo: return {P::Inactive, P::Mid};
    case csResaltadoMenu: return {P::Active, P::Highlight};
    case csBarraMenu: return {P::Active, P::Window};
    default: return {P::Active, P::Window};
    }
}

QColor ResolverColor(TColor c, const QPalette& paleta) {
    if (EsColorSistema(c)) {
        const RolSistema r = RolDeColorSistema(IndiceColorSistema(c));
        QColor q = paleta.color(r.Grupo, r.Rol);
        q.setAlpha(255);
        return q;
    }
    return QColor(Rojo(c), Verde(c), Azul(c));
}

QColor ResolverColor(TColor c) { return ResolverColor(c, QGuiApplication::palette()); }

TColor ColorDeQColor(const QColor& c) {
    const QColor rgb = c.toRgb();
    return ColorRGB(rgb.red(), rgb.green(), rgb.blue());
}

QColor QColorDe(TColor c) { return QColor(Rojo(c), Verde(c), Azul(c)); }

PaletaSistema PaletaDe(const QPalette& paleta) {
    PaletaSistema p{};
    for (int i = 0; i <= csUltimo; ++i) p[static_cast<std::size_t>(i)] = ColorDeQColor(ResolverColor(ColorSistema(i), paleta));
    return p;
}

}  // namespace numbrix
