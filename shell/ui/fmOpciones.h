#pragma once
// The options window: general settings, fonts, colours and window flags of
// the main window, and the colour schemes of "colores.ini".
#include <QDialog>
#include <QWidget>
#include <functional>
#include <memory>

#include "shell/AjustesCalculadora.h"
#include "shell/Esquemas.h"
#include "shell/ui/fmComun.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace numbrix {

class TSesion;
class TVelIniFile;

// Shows the window modally over the session's settings (sesion.Ajustes).
// `aplicar` is called whenever the main window must re-apply its layout and
// colours ("Aplicar", "&Aceptar", and "&Cancelar" restoring the colours).
// True when accepted: the settings were changed and written.
// `conQuimica`: the chemistry look-up exists, so its check box is offered.
bool MostrarOpciones(QWidget* padre, TSesion& sesion, const std::function<void()>& aplicar,
                     bool conQuimica = false);

// The live preview of the four colours: a small main window (bands, boxes,
// list and total) painted with exactly the colours the main window takes.
class TVistaColores : public QWidget {
public:
    explicit TVistaColores(QWidget* padre = nullptr);
    void SetColores(const T4Colores& c);
    // What it paints now (computed against the application's palette).
    ColoresPintados Pintados() const;
    QSize sizeHint() const override { return {280, 170}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    T4Colores c_;
};

class TfmOpciones : public QDialog {
public:
    TfmOpciones(QWidget* padre, TSesion& sesion, std::function<void()> aplicar);
    ~TfmOpciones() override;

    // The boxes it asks through; tests replace them. ElegirColor returns an
    // invalid colour when cancelled.
    CajasDialogo Cajas;
    std::function<QColor(const QColor& actual)> ElegirColor;

    // ---- controls, for tests
    QTabWidget* Paginas() const { return paginas_; }
    QSpinBox* Recordar() const { return cajaRecordar_; }
    QLineEdit* Diferencia() const { return cajaTolerancia_; }
    QCheckBox* Barra() const { return chkBarra_; }
    QCheckBox* Totales() const { return chkTotales_; }
    QComboBox* TamanoExpresion() const { return tamanoExpresion_; }
    QComboBox* TamanoResultado() const { return tamanoResultado_; }
    QLabel* MuestraExpresion() const { return muestraExpresion_; }
    QListWidget* ListaEsquemas() const { return esquemas_; }
    QLabel* AvisoEsquemas() const { return avisoEsquemas_; }
    QPushButton* BotonAplicar() const { return botonAplicar_; }
    const T4Colores& Colores() const { return colores_; }
    TVistaColores* Vista() const { return vista_; }
    QLabel* MuestraResultado() const { return muestraResultado_; }
    QCheckBox* CasillaMMR() const { return chkMMR_; }
    // Offers the chemistry check box (hidden until the look-up exists).
    void OfrecerQuimica(bool si);
    const TEsquemas& Esquemas() const { return lista_; }

    void ElegirEsquema(int fila);
    void GuardarEsquema();
    void BorrarEsquema();
    void Predeterminado();
    void Aplicar();
    void CambiarColor(int cual);  // 0 light, 1 dark, 2 text, 3 background
    void Aceptar();
    void reject() override;

private:
    // Puts the colours into the settings and has the main window repaint.
    void PonerColores(const T4Colores& c);
    QWidget* PaginaGeneral();
    QWidget* PaginaFuentes();
    QWidget* PaginaColores();
    QWidget* PaginaVentana();
    void MostrarColores();
    void LlenarEsquemas(int seleccion);
    void ActualizarMuestras();
    void Mostrar();  // every control from the settings

    TSesion& sesion_;
    std::function<void()> aplicar_;
    AjustesCalculadora& a_;
    T4Colores colores_;   // the swatches
    T4Colores alAbrir_;   // restored by "&Cancelar"
    std::unique_ptr<TVelIniFile> archivoEsquemas_;
    TEsquemas lista_;

    QTabWidget* paginas_;
    QSpinBox* cajaRecordar_;
    QLineEdit* cajaTolerancia_;
    QCheckBox *chkAutocompletar_, *chkMMR_, *chkNoAuto_, *chkHistorial_, *chkBarra_, *chkTotales_;
    QFontComboBox *familiaExpresion_, *familiaResultado_;
    QComboBox *tamanoExpresion_, *tamanoResultado_;
    QToolButton *negritaExpresion_, *cursivaExpresion_, *negritaResultado_, *cursivaResultado_;
    QLabel *muestraExpresion_, *muestraResultado_;
    QPushButton* muestrasColor_[4];
    TVistaColores* vista_;
    QListWidget* esquemas_;
    QLabel* avisoEsquemas_;
    QPushButton *botonGuardarEsquema_, *borrar_, *predeterminado_, *botonAplicar_;
    QCheckBox *chkSiempreVisible_, *chkOcultarTitulo_, *chkMagnetic_, *chkJuntoReloj_;
};

}  // namespace numbrix
