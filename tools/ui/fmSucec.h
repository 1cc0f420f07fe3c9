#pragma once
// The sequences window: three auxiliary functions, a recurrence and a stop
// condition, run as a job that Escape or «Cancelar» stops and «Continuar»
// resumes; definitions kept under names in suce.ini, the last state in "_".
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/ui/fmComun.h"
#include "support/ui/FormMX.h"
#include "tools/Sucesion.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace numbrix {

class TComboExpr;
class TEjecutorTrabajo;
class TVistaFormula;
class TfrmCalcu;

class TfmSucec : public TFormMX {
    Q_OBJECT
public:
    explicit TfmSucec(std::filesystem::path carpetaDatos, QWidget* padre = nullptr);
    ~TfmSucec() override;

    // Replaceable, so tests answer without a modal box; CajasNo has No as default.
    CajasDialogo Cajas, CajasNo;

    void Iniciar();
    void Continuar();
    void EvaluarFuncion(int cual);
    void CambiarModo();
    void Dibujar(int cual);
    void CargarDefinicion(const QString& nombre);
    void AgregarDefinicion();
    void BorrarDefinicion();
    void GuardarEstado();
    void AplicarColores(const ColoresVentana& c);

    DefinicionSucesion Definicion() const;
    void PonerDefinicion(const DefinicionSucesion& d);
    TSucesion& Motor() { return *s_; }
    TEjecutorTrabajo& Ejecutor() { return *ejecutor_; }

    TComboExpr* cajas[5];  // f, g, h, Sn, stop
    QPushButton *btF, *btG, *btH, *btModo, *btIniciar, *btContinuar, *btCancelar, *btAgregar, *btBorrar;
    QPushButton* btVer[4];  // the pictures of f, g, h, Sn
    QCheckBox* chDetallado;
    QComboBox* cbDefiniciones;
    QPlainTextEdit *memo, *comentario;
    QLabel* lbEstado;
    TVistaFormula* vista;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Ocupado(bool si);
    void ListarDefiniciones();
    std::optional<long double> PedirReal(const QString& titulo, const QString& texto, QString& previo);

    std::filesystem::path carpeta_;
    std::unique_ptr<TSucesion> s_;
    std::unique_ptr<TArchivoSucesiones> archivo_;
    TEjecutorTrabajo* ejecutor_;
    int modo_ = 0;
    int dibujo_ = 3;
    std::vector<QString> respuestas_;
    QString x_ = "0";
};

// Registers the window with the main window's tools.
void ConectarSucesiones(TfrmCalcu& principal);

}  // namespace numbrix
