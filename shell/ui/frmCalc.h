#pragma once
// TfrmCalcu: the calculator's main window over the session. The top panel
// holds the expression box, the tool bars, the result box and the small
// window buttons; the middle panel the formula view and the result list; the
// bottom bar the total. Everything it computes, records and stores is the
// session's; the window reads input, calls the session and shows.
#include <QElapsedTimer>
#include <QKeySequence>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/Esquemas.h"
#include "shell/Herramientas.h"
#include "shell/Sesion.h"
#include "support/LienzoGrabado.h"
#include "support/ui/FormMX.h"

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QSplitter;
class QSystemTrayIcon;
class QToolButton;

namespace numbrix {

class TComboExpr;
class TfmInput;
class TfrmCalcu;
class TVistaFormula;
class TPanelBanda;

// A tool window as it registers with the main window: who it is (name,
// flag, Ctrl letter, help: shell/Herramientas.h), how its window is made
// the first time it is shown (child of the main window, hidden when closed,
// never destroyed before it), and what it wants to hear. Every hook is
// optional and reaches only a window already made.
struct Herramienta : DescripcionHerramienta {
    std::function<QWidget*(TfrmCalcu& principal)> Crear;
    // After each evaluation of the main window, also a failed one.
    std::function<void(QWidget*, const ResultadoEvaluacion&)> TrasEvaluar;
    std::function<void(QWidget*, UnidadAngulo)> AlCambiarAngulo;
    // The options changed the colours: paint again.
    std::function<void(QWidget*)> AlAplicarColores;
    // numbrix.ini is about to be written: write its own settings now.
    std::function<void(QWidget*)> AlGuardar;
    // An expression to take and evaluate (the complex tool, for the
    // expression the real domain could not evaluate).
    std::function<void(QWidget*, const std::string& expresion)> Recibir;
};

// A key the main window takes: the keys, its name on the keys page, what it
// does there and the command (false: not taken now, the key goes on).
struct TeclaVentanaCalc {
    std::vector<QKeyCombination> Teclas;
    const char* Nombre;  // "Insert|F8"
    const char* Accion;
    std::function<bool(TfrmCalcu&)> Hacer;
};

class TfrmCalcu : public TFormMX {
    Q_OBJECT
public:
    static constexpr const char* kTitulo = "Numbrix 2.7";
    static constexpr int kAnchoMinimo = 420;
    static constexpr int kAltoMinimo = 84;
    static constexpr int kPanelMinimo = 30;
    static constexpr int kAnchoBotonHerramienta = 20;
    // The middle panel never comes back shorter than this.
    static constexpr int kAltoMedioMinimo = 100;

    // Builds the window over a session whose data folder is open: applies
    // its settings, result list, memories menu, placement and history.
    explicit TfrmCalcu(TSesion& sesion, QWidget* padre = nullptr);
    ~TfrmCalcu() override;

    // First start ("Ver" is not 250): offers the help, then marks it.
    static void PreguntarPrimerInicio(TSesion& sesion, QWidget* padre);

    // ---- what the commands do (public for the program's tests)
    void Evaluar();                 // Enter in the expression box
    void CambiarAngulo(int angulo);
    void CambiarBase(int base);
    void CambiarDigitos(int digitos);  // 100 floating, else 0, 2, ..., 16
    void CambiarNotacion(int notacion);
    void CambiarSeparador(bool agrupar);
    void SiguienteBase();           // F7
    void SiguienteAngulo();         // F11
    void SiguientesDigitos();       // F12
    void TotalACero();
    void Deshacer();
    void AsignarDesdeLista();
    void ResolverIncognita();       // Ctrl+Alt+A
    void VerHistorial(bool ver);
    void VerBarra(bool ver);
    void VerTotal(bool ver);
    void SiempreVisible(bool si);
    void OcultarTitulo(bool ocultar);
    void ModoReducido(bool si);
    void AplicarDiseno();           // layout and colours
    // Handles the window's own keys; true when the key was taken.
    bool TeclaVentana(QKeyEvent* e);
    bool Evaluando() const { return evaluando_; }
    bool Reducida() const { return reducida_; }
    // Writes every setting through the session; on failure offers to retry.
    // False only when the user chose to close without saving.
    bool GuardarTodo();

    // Tools: each registers itself once it exists; false when its name or
    // its letter is taken. A remembered tool registered after the window
    // first showed opens at once; before, they open in order as it shows.
    bool RegistrarHerramienta(Herramienta h);
    const TRegistroHerramientas& Herramientas() const { return registro_; }
    // The tool's window (null before its first show) and whether it is open.
    QWidget* VentanaHerramienta(std::string_view nombre) const;
    bool HerramientaAbierta(std::string_view nombre) const;
    // Shows or hides a tool; the menu, its button and its flag follow.
    void MostrarHerramienta(std::string_view nombre, bool mostrar);
    void AlternarHerramienta(std::string_view nombre);
    // The keys the window takes, in the keys page's order.
    static const std::vector<TeclaVentanaCalc>& TablaTeclas();
    // Chemistry look-up on or off (both engines); empty until the chemistry
    // tool exists, and while it is, Ctrl+R and the option are not offered.
    std::function<void(bool)> Quimica;
    // Where the chemistry tool puts its item: the «Configurar» submenu, after
    // «Autocompletar».
    QMenu* MenuConfigurar() const { return menuConfigurar_; }
    QAction* AccionAutocompletar() const { return acAutocompletar_; }

    // ---- conversions (frmCalcConversiones.cpp). The unit side fills
    // menuConversiones and sets the hooks (units/ui/ConversionesCalc.h).
    // Opens the menu at `donde` (default: below its button). It acts on the
    // number at the expression box's cursor when that box has the focus (or
    // `enExpresion`), else on the result box's number.
    void AbrirMenuConversiones(std::optional<QPoint> donde = std::nullopt, std::optional<bool> enExpresion = std::nullopt);
    bool ConvierteEnExpresion() const { return convertirEnExpresion_; }
    // Replaces the number the menu acts on by `conversion` of it, selected;
    // false, after the message, when there is none or the conversion failed.
    bool ConvertirNumero(const std::function<long double(long double)>& conversion);
    // Ctrl+F10 (false), Ctrl+Shift+F10 (true): the last conversion again.
    std::function<void(bool inversa)> RepetirConversion;
    // "Editar unidades..." and "Unidades...": the unit editor on the
    // magnitude of the most recent conversion; both items stay hidden while
    // this is empty.
    std::function<void()> EditarUnidades;
    // The edit menu of the result box, for a tool's own box.
    void MenuEdicion(QLineEdit* caja, const QPoint& donde) { AbrirMenuEdicion(caja, donde, false); }

    // The colours the window paints now (AplicarDiseno).
    const ColoresPintados& Pintados() const { return pintados_; }

    // Questions and messages go through these, so tests can answer them.
    std::function<bool(const QString& titulo, const QString& texto)> Confirmar;
    std::function<void(const QString& texto)> Informar;
    // A failure the user must read (error icon).
    std::function<void(const QString& texto)> Error;

    TSesion& Sesion() { return sesion_; }
    TfmInput* Input() const { return input_; }

    // The window's parts. Top band: the expression box and the window
    // buttons, then the menu buttons around the result box.
    TPanelBanda* bandaSuperior = nullptr;
    TComboExpr* cajaExpresion = nullptr;
    QToolButton* botonSiempreVisible = nullptr;
    QToolButton* botonReducido = nullptr;
    QToolButton* botonInsertar = nullptr;      // menuInsertar (F8)
    QToolButton* botonMemorias = nullptr;      // menuMemorias (F9)
    QToolButton* botonConversiones = nullptr;  // menuConversiones (F10)
    QToolButton* botonAngulo = nullptr;        // menuAngulo (F11 cycles)
    QToolButton* botonHerramientas = nullptr;  // menuHerramientas (F5)
    QLineEdit* cajaResultado = nullptr;
    QToolButton* botonBase = nullptr;          // menuBase (F7 cycles)
    QToolButton* botonDigitos = nullptr;       // menuFormato (F12 cycles)
    QToolButton* botonAyuda = nullptr;         // menuAyuda
    QLabel* etiquetaMensaje = nullptr;         // the whole result when the box is too short
    // Middle panel: the formula view over the result list.
    QSplitter* panelMedio = nullptr;
    QWidget* panelFormula = nullptr;
    TVistaFormula* vistaFormula = nullptr;
    QListWidget* listaResultados = nullptr;
    // Bottom band: the tools' buttons, then the total.
    TPanelBanda* bandaInferior = nullptr;
    QWidget* panelHerramientas = nullptr;
    QLabel* etiquetaTotal = nullptr;           // "Total:"
    QLineEdit* cajaTotal = nullptr;
    QLabel* etiquetaCuenta = nullptr;          // how many results were added
    QToolButton* botonTotalACero = nullptr;
    QToolButton* botonDeshacer = nullptr;      // takes back the last addition
    // Menus.
    QMenu* menuInsertar = nullptr;
    QMenu* menuMemorias = nullptr;
    QMenu* menuConversiones = nullptr;
    QMenu* menuAngulo = nullptr;
    QMenu* menuHerramientas = nullptr;
    QMenu* menuBase = nullptr;
    QMenu* menuFormato = nullptr;              // digits and notation
    QMenu* menuAyuda = nullptr;
    QMenu* menuLista = nullptr;
    QMenu* menuFormula = nullptr;
    QMenu* menuExpresion = nullptr;            // edit menu of the expression box
    QMenu* menuEdicion = nullptr;              // edit menu of the result and total boxes
    QMenu* menuResultado = nullptr;            // "Copiar" on a click in the result box

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void CrearComponentes();
    void CrearMenus();
    void CrearMenuInsertar();
    void LlenarMenusUsuario();
    void CrearMenuMemorias();
    void CrearMenuHerramientas();
    void TomarAjustes();
    void MostrarResultado();
    void AjustarMensaje();
    void AjustarAltura();
    void RefrescarLista();
    void RefrescarTotal();
    void RefrescarHistoria();
    void MarcarAngulo();
    void MarcarBase();
    void MarcarDigitos();
    void DibujarFormula();
    void MostrarMarcador();
    void SplitterMovido();
    void DescribirFunciones(bool si);
    void AbrirMenu(QMenu* m, QWidget* junto);
    void AbrirMenuEdicion(QLineEdit* caja, const QPoint& donde, bool conConvertir);
    void Repetir(bool inversa);
    void EditarUsuario(int modo);
    void AbrirOpciones();
    void MostrarHerramienta(std::size_t i, bool mostrar);
    void AlternarHerramienta(std::size_t i);
    void ReflejarHerramienta(std::size_t i);
    void OcultarHerramientas(bool ocultar);
    void TrasEvaluar(const std::string& expresion);
    void PreguntarComplejos(const std::string& expresion);
    void PublicarTeclas();
    void PreguntarCierre();
    bool PopupAbierto() const;
    void Reducir();
    void Expandir();
    void RevisarReducido();
    void AMinimizarEnBandeja();
    void RestaurarDeBandeja();
    void AplicarFuentes();
    QLineEdit* CajaEnfocada() const;
    bool CancelarSondeo();

    TSesion& sesion_;
    TfmInput* input_ = nullptr;
    // The tools in menu order, beside the registry's descriptions.
    TRegistroHerramientas registro_;
    struct EstadoHerramienta {
        Herramienta h;
        QPointer<QWidget> ventana;
        QAction* accion = nullptr;
        QToolButton* boton = nullptr;
        bool conPrincipal = false;  // hidden along with the main window
    };
    std::vector<EstadoHerramienta> herramientas_;
    // Calls one hook of every tool whose window is made.
    template <class Gancho, class... Args>
    void Avisar(Gancho Herramienta::*gancho, const Args&... args) {
        for (EstadoHerramienta& t : herramientas_)
            if (t.ventana && t.h.*gancho) (t.h.*gancho)(t.ventana, args...);
    }
    bool mostrada_ = false;   // the window has shown once (remembered tools reopened)
    bool siguiendo_ = true;   // flags follow the tools' windows (not while closing or minimising)
    std::optional<LienzoGrabado> dibujo_;
    ColoresPintados pintados_;
    int altoMedio_ = -1;  // the middle panel's height when last shown
    bool evaluando_ = false;
    bool cancelar_ = false;
    bool cierrePendiente_ = false;
    bool cerrando_ = false;
    QElapsedTimer sondeo_;
    bool reducida_ = false;
    bool transicion_ = false;
    QRect geometriaCompleta_;
    QSystemTrayIcon* bandeja_ = nullptr;
    bool enBandeja_ = false;
    QAction* acAutocompletar_ = nullptr;
    QAction* acVerHistorial_ = nullptr;
    QAction* acVerBarra_ = nullptr;
    QAction* acVerTotal_ = nullptr;
    QAction* acSiempreVisible_ = nullptr;
    QAction* acOcultarTitulo_ = nullptr;
    QAction* acMinIcon_ = nullptr;
    QAction* acSeparador_ = nullptr;
    QAction* acRestaurar_ = nullptr;
    QAction* acSepRestaurar_ = nullptr;
    QAction* acSalirBandeja_ = nullptr;
    QAction* acSepHerramientas_ = nullptr;
    QMenu* menuConfigurar_ = nullptr;
    QMenu* menuConstantes_ = nullptr;
    QMenu* menuFuncionesUsuario_ = nullptr;
    std::vector<QAction*> accionesAngulo_;
    std::vector<QAction*> accionesBase_;
    std::vector<QAction*> accionesDigitos_;
    std::vector<QAction*> accionesNotacion_;
    QLineEdit* cajaMenu_ = nullptr;
    QAction* acUnidades_ = nullptr;  // "Unidades..." in "Configurar"
    // The box the conversion menu acts on: the expression's or the result's.
    bool convertirEnExpresion_ = false;
};

}  // namespace numbrix
