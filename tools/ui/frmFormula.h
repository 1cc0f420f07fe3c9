#pragma once
// «Formulario»: the formula library's window. A group box and a formula
// box over the law, its description, its picture and a grid of symbols;
// one row is the unknown, computed from the others in the units the user
// picks. In edit mode everything can be changed and saved back.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/ui/fmComun.h"
#include "support/LienzoGrabado.h"
#include "support/Streams.h"
#include "support/ui/FormMX.h"
#include "tools/Formulas.h"
#include "units/MenuConversiones.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace numbrix {

class TConversionesCalc;
class TfrmCalcu;
class TMemoDefinicion;
class TModeloUnidades;
class TVistaFormula;
class TVelIniFile;

class TfmFormula : public TFormMX {
    Q_OBJECT
public:
    enum Columna { cSimbolo = 0, cDescripcion, cValor, cUnidad, cMagnitud, cMinimo, cMaximo, kColumnas };

    TfmFormula(TfrmCalcu& principal, TModeloUnidades& modelo, const std::filesystem::path& carpeta,
               QWidget* padre = nullptr);
    ~TfmFormula() override;

    // Replaceable, so tests answer without a modal box.
    CajasDialogo Cajas;
    std::function<void()> Ayuda;
    // The unit editor on a magnitude; true when it saved.
    std::function<bool(const std::string& magnitud)> EditarMagnitud;
    // The image file prompt's file dialog; "" cancelled.
    std::function<QString()> ElegirImagen;

    void CargarGrupo(const QString& nombre);
    void CargarFormula(const QString& nombre);
    void MostrarAgregada(const QString& nombre);
    void Recalcular();
    void SetEdicion(bool si);
    bool Edicion() const { return edicion_; }
    void Guardar();
    void Nueva();
    void Duplicar();
    void Renombrar();
    void Eliminar();
    void NuevoGrupo();
    void BorrarValores();
    void CopiarResultado();
    void EditarUnidadesFila();
    void PedirImagen();
    // Asks for the image reference (a «#item» of form.img or a file of the
    // data folder); tests replace it. nullopt: cancelled.
    std::function<std::optional<QString>(const QString& actual)> PedirReferenciaImagen;
    // Completion and normalising for a box where an expression is typed.
    void PrepararCaja(TMemoDefinicion* caja);
    std::optional<QString> DialogoImagen(const QString& actual);
    // Moves the unknown's mark to `fila`.
    void MarcarIncognita(int fila);
    int Incognita() const { return incognita_; }
    // The unit pop-up of a row (nullptr when its magnitude is unknown, after
    // saying so); picking an item applies it.
    QMenu* MenuUnidadesFila(int fila);
    void ElegirUnidad(int fila, const QString& unidad);
    void AplicarColores(const ColoresVentana& c);
    void SetAngulo(UnidadAngulo a);

    QComboBox *cbGrupo, *cbFormula;
    QLineEdit* edLey;
    QPlainTextEdit* memo;
    QLabel *lbImagen, *lbEstado;
    TVistaFormula* vista;
    QTableWidget* rejilla;
    QPushButton *btEdicion, *btGuardar, *btMas, *btDp, *btRn, *btMenos, *btNuevoTipo, *btRecalcular, *btBorrar,
        *btCopiar, *btUnidades, *btAyuda;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    RegistroFormula Registro() const;
    std::vector<FilaFormula> Filas() const;
    void PonerFilas(const std::vector<FilaFormula>& filas);
    void MostrarImagen();
    void DibujarLey();
    void Pista(int fila, int columna);
    void Botones();
    void Avisar(const ResultadoCalculo& r);
    void Intentar(const std::function<void()>& f);
    QString Actual() const;

    TfrmCalcu& principal_;
    TModeloUnidades& modelo_;
    std::filesystem::path carpeta_;
    std::shared_ptr<TVelIniFile> grupo_;
    TCalculoFormula calculo_;
    TStreams imagenes_;
    bool imagenesBien_ = false;
    std::string imagen_;
    std::optional<LienzoGrabado> dibujo_;
    int incognita_ = -1;
    bool edicion_ = false;
    bool cargando_ = false;
    std::vector<NodoMenuUnidades> unidades_;  // the unit menu, built from the model
    std::uint64_t generacion_ = ~0ull;        // the model's generation it was built for
};

// Registers the window with the main window's tools.
void ConectarFormulas(TfrmCalcu& principal, TModeloUnidades& modelo, TConversionesCalc* conversiones);

}  // namespace numbrix
