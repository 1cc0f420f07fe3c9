// Every job the tools run on the framework's runner, cancelled before its
// first progress report, after a few, with the cancel question open (the
// tools that ask) and by closing the window: the job returns, the window
// holds what the tool promises (nothing, or the partial result), and a run
// after the cancel gives the right result.
#include <unistd.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <memory>
#include <sstream>

#include "shell/ui/Ventanas.h"
#include "numbers/ui/fmMatriz.h"
#include "support/ui/EjecutorTrabajo.h"
#include "support/ui/StringGridX.h"
#include "tools/Primo.h"
#include "tools/ui/fmPrimos.h"
#include "tools/ui/fmSucec.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;

void Esperar(TEjecutorTrabajo& e) {
    while (e.EnCurso()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Until the job has reported progress (bounded: a job that never reports
// is cancelled all the same).
void EsperarAvances(TEjecutorTrabajo& e) {
    for (int i = 0; i < 100000 && e.EnCurso(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        usleep(500);
        const TTrabajo* t = e.TrabajoActual();
        if (t && (t->Avance().fraccion > 0 || !t->Avance().texto.empty())) return;
    }
}

// By trial division, so only up to 10^12; larger ones pass.
bool EsPrimo(std::uint64_t n) {
    if (n < 2) return false;
    if (n > 1000000000000ull) return true;
    for (std::uint64_t d = 2; d * d <= n; ++d)
        if (n % d == 0) return false;
    return true;
}

// A partial listing: whole lines, each a number above the one before, the
// first and the last prime. Empty when it is.
std::string ListaParcial(const std::string& texto) {
    if (!texto.empty() && texto.back() != '\n') return "una línea incompleta al final";
    std::istringstream s(texto);
    std::uint64_t anterior = 0, n = 0, primero = 0;
    for (std::string l; std::getline(s, l); anterior = n) {
        n = std::stoull(l);
        if (n <= anterior) return "desordenada en " + l;
        if (!primero) primero = n;
    }
    if (primero && (!EsPrimo(primero) || !EsPrimo(n))) return "no son primos";
    return {};
}

struct Caso {
    virtual ~Caso() = default;
    virtual QWidget& Ventana() = 0;
    virtual TEjecutorTrabajo& Ejecutor() = 0;
    virtual void Largo() = 0;                // starts a job that runs long
    virtual std::string TrasCancelar() = 0;  // what is wrong after the cancel
    virtual std::string Corto() = 0;         // a run to the end: what is wrong with it
    bool pregunta = false;                   // asks «¿Cancela este proceso?»
    bool rapido = false;  // ends before a cancel after progress could reach it: always held first
};

// Pr(n), a listing to the window and a listing to a file.
struct CasoPrimos : Caso {
    enum Tipo { Enesimo, Lista, Archivo };
    CasoPrimos(const fs::path& c, Tipo t) : carpeta(c), tipo(t), w(c) {
        pregunta = true;
        w.Cajas = r.Cajas();
        w.Cajas.PreguntarSiNoCancelar = [this](const QString&, const QString&) { return std::optional<bool>(tipo == Archivo); };
        w.AbrirArchivo = [](const fs::path&) {};
        w.show();
    }
    QWidget& Ventana() override { return w; }
    TEjecutorTrabajo& Ejecutor() override { return w.Ejecutor(); }
    void Ejecutar(std::uint64_t lo, std::uint64_t hi) {
        w.caja->setText(QString::number(hi));
        r.texto = QString::number(lo);
        if (tipo == Enesimo) w.Enesimo();
        else w.Entre();
    }
    // Near 10^18 every candidate is tested on its own: slow enough that the
    // window's listing does not reach its line limit first.
    static constexpr std::uint64_t kDesde = 1000000000000000000ull, kHasta = kDesde + 100000000;
    void Largo() override { Ejecutar(kDesde, tipo == Enesimo ? 144115188075855872ull : kHasta); }
    std::string Texto(std::uint64_t lo, std::uint64_t hi) {
        return tipo == Archivo ? Leer(carpeta / NombreArchivoPrimos(lo, hi)) : w.memo->toPlainText().toStdString() + "\n";
    }
    std::string TrasCancelar() override {
        if (w.lbTiempo->text() != "Proceso cancelado") return "estado: " + w.lbTiempo->text().toStdString();
        if (tipo == Enesimo) return w.memo->toPlainText().isEmpty() ? "" : "Pr(n) a medias";
        const std::string t = Texto(kDesde, kHasta);
        return ListaParcial(t == "\n" ? "" : t);
    }
    std::string Corto() override {
        Ejecutar(2, tipo == Enesimo ? 1000 : 100000);
        Esperar(Ejecutor());
        if (tipo == Enesimo) return w.memo->toPlainText() == "7919" ? "" : "Pr(1000) = " + w.memo->toPlainText().toStdString();
        const std::string t = Texto(2, 100000);
        const auto lineas = std::count(t.begin(), t.end(), '\n');
        return lineas == 9592 && ListaParcial(t).empty() ? "" : std::to_string(lineas) + " primos hasta 100000";
    }
    fs::path carpeta;
    Tipo tipo;
    TfmPrimos w;
    prueba::Respuestas r;
};

// The sequence run: stopped where it got, S(n) shown up to there.
struct CasoSucesion : Caso {
    explicit CasoSucesion(const fs::path& c) : w(c) {
        w.Cajas = w.CajasNo = r.Cajas();
        r.texto = "0";
        w.show();
    }
    QWidget& Ventana() override { return w; }
    TEjecutorTrabajo& Ejecutor() override { return w.Ejecutor(); }
    void Poner(const char* parada) {
        DefinicionSucesion d;
        d.Sn = "S1+1", d.Parada = parada, d.Comentario = {"", "[x]"};
        w.PonerDefinicion(d);
    }
    void Largo() override {
        Poner("n>=2000000000");
        w.Iniciar();
    }
    std::string TrasCancelar() override {
        const auto n = w.Motor().N();
        if (n >= 2000000000 || w.lbEstado->text() != "n=" + QString::number(n)) return "n=" + std::to_string(n);
        return w.btIniciar->isEnabled() ? "" : "botones sin habilitar";
    }
    std::string Corto() override {
        Poner("n>=1000");
        w.Iniciar();
        Esperar(Ejecutor());
        const std::string ultima = w.memo->toPlainText().split('\n').last().toStdString();
        return ultima == TSucesion::Linea(1000, 999) ? "" : ultima;
    }
    TfmSucec w;
    prueba::Respuestas r;
};

// The matrix eliminations and the function fill: a cancelled job leaves R
// as it was.
struct CasoMatriz : Caso {
    CasoMatriz(const fs::path& c, AccionMatriz a) : accion(a) {
        // An exact inverse whose entries outgrow 128 bits: long enough.
        std::string ga;
        unsigned x = 12345;
        for (int f = 0; f < 60; ++f, ga += "\r\n")
            for (int k = 0; k < 60; ++k) {
                x = x * 1103515245u + 12345u;
                ga += (k ? "\t" : "") + std::to_string(static_cast<int>(x >> 16) % 1999 - 999);
            }
        Poner(c / "ga.gri", ga);
        EntornoMatriz e;
        e.carpeta = c;
        e.Avisar = [this](const QString& t, IconoMatriz) { avisos << t; };
        e.Preguntar = [](const QString&, const QString&) { return false; };
        e.PedirTexto = [this](const QString&, const std::string&) { return texto; };
        w = std::make_unique<TfmMatriz>(std::move(e), AjustesMatriz{});
        w->show();
    }
    QWidget& Ventana() override { return *w; }
    TEjecutorTrabajo& Ejecutor() override { return *w->Ejecutor(); }
    void Largo() override {
        if (accion == AccionMatriz::Funcion) {
            w->Dimensionar(255, 255);
            texto = "m+n*10";
            rapido = true;
        }
        w->Operar(accion);
    }
    std::string TrasCancelar() override {
        if (w->Rejilla(kMatrizR)->RowCount() != 4) return "R cambiada";
        return avisos.isEmpty() ? "" : avisos.join(' ').toStdString();
    }
    std::string Corto() override {
        w->Activar(kMatrizB);
        w->Dimensionar(2, 2);
        texto = "m+n*10";
        w->Operar(AccionMatriz::Funcion);
        Esperar(Ejecutor());
        const QString r = w->Rejilla(kMatrizR)->Cells(1, 1) + " " + w->Rejilla(kMatrizR)->Cells(2, 2);
        return r == "11 22" ? "" : r.toStdString();
    }
    AccionMatriz accion;
    std::unique_ptr<TfmMatriz> w;
    QStringList avisos;
    std::optional<std::string> texto;
};

enum class Momento { Antes, TrasAvances, ConPregunta, AlCerrar };

struct Fila {
    const char* nombre;
    std::function<std::unique_ptr<Caso>(const fs::path&)> crear;
};

class CancelarTrabajos : public CarpetaTemporal {};

TEST_F(CancelarTrabajos, CadaTrabajoDejaLoPrometido) {
    prueba::AplicacionQt();
    const std::vector<Fila> filas{
        {"Pr(n)", [](const fs::path& c) { return std::make_unique<CasoPrimos>(c, CasoPrimos::Enesimo); }},
        {"primos a la ventana", [](const fs::path& c) { return std::make_unique<CasoPrimos>(c, CasoPrimos::Lista); }},
        {"primos a un archivo", [](const fs::path& c) { return std::make_unique<CasoPrimos>(c, CasoPrimos::Archivo); }},
        {"sucesión", [](const fs::path& c) { return std::make_unique<CasoSucesion>(c); }},
        {"matriz inversa", [](const fs::path& c) { return std::make_unique<CasoMatriz>(c, AccionMatriz::Invertir); }},
        {"matriz determinante", [](const fs::path& c) { return std::make_unique<CasoMatriz>(c, AccionMatriz::Determinante); }},
        {"matriz función", [](const fs::path& c) { return std::make_unique<CasoMatriz>(c, AccionMatriz::Funcion); }},
    };
    for (const Fila& f : filas) {
        for (Momento m : {Momento::Antes, Momento::TrasAvances, Momento::ConPregunta, Momento::AlCerrar}) {
            SCOPED_TRACE(std::string(f.nombre) + " momento " + std::to_string(static_cast<int>(m)));
            const fs::path carpeta = dir_ / std::to_string(static_cast<int>(m)) / f.nombre;
            fs::create_directories(carpeta);
            auto c = f.crear(carpeta);
            if (m == Momento::ConPregunta && !c->pregunta) continue;
            c->Largo();
            ASSERT_TRUE(c->Ejecutor().EnCurso());
            // Held at its first poll: the cancel comes before any progress.
            if (m == Momento::Antes || c->rapido) c->Ejecutor().TrabajoActual()->Pausar();
            else EsperarAvances(c->Ejecutor());
            if (m == Momento::ConPregunta) {
                c->Ejecutor().PedirCancelar();
                QMessageBox* p = c->Ejecutor().Pregunta();
                ASSERT_NE(p, nullptr);
                for (QAbstractButton* b : p->buttons())
                    if (b->text() == "Sí") b->click();
                Esperar(c->Ejecutor());
            } else if (m == Momento::AlCerrar) {
                c->Ventana().close();
            } else {
                c->Ejecutor().CancelarYEsperar();
            }
            EXPECT_FALSE(c->Ejecutor().EnCurso());
            EXPECT_EQ(c->TrasCancelar(), "");
            if (m != Momento::AlCerrar) {
                EXPECT_EQ(c->Corto(), "");
            }
        }
    }
}

}  // namespace
}  // namespace numbrix
