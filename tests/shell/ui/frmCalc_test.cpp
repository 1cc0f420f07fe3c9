#include "shell/ui/frmCalc.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QSystemTrayIcon>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <map>

#include "AplicacionQt.h"
#include "CarpetaTemporal.h"
#include "shell/Esquemas.h"
#include "shell/VelIni.h"
#include "shell/ui/AutoComp.h"
#include "support/ui/ColoresSistema.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/fmComun.h"
#include "shell/ui/fmInput.h"
#include "shell/ui/fmOpciones.h"
#include "shell/ui/fmTips.h"
#include "support/ui/Traduccion.h"
#include "support/ui/VistaFormula.h"

namespace numbrix {
namespace {

void Pulsar(QWidget* w, int key, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& texto = {}) {
    QKeyEvent p(QEvent::KeyPress, key, mod, texto);
    QApplication::sendEvent(w, &p);
}

void Esperar(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A temporary folder for tests that are not fixtures.
struct CarpetaTemporalSimple {
    std::filesystem::path Ruta;
    CarpetaTemporalSimple() {
        char plantilla[] = "/tmp/numbrix_prueba_XXXXXX";
        Ruta = ::mkdtemp(plantilla);
    }
    ~CarpetaTemporalSimple() {
        std::error_code ec;
        std::filesystem::remove_all(Ruta, ec);
    }
};

class VentanaCalc : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        prueba::AplicacionQt();
        sesion_ = std::make_unique<TSesion>();
        sesion_->Abrir(dir_);
        sesion_->Ajustes.Autocompletar = false;
        ventana_ = std::make_unique<TfrmCalcu>(*sesion_);
        ventana_->Confirmar = [this](const QString& titulo, const QString& texto) {
            preguntas_ << titulo + "|" + texto;
            return respuesta_;
        };
        ventana_->Informar = [this](const QString& texto) { mensajes_ << texto; };
    }
    void TearDown() override {
        ventana_.reset();
        sesion_.reset();
        CarpetaTemporal::TearDown();
    }
    void Calcular(const QString& expresion) {
        ventana_->cajaExpresion->SetTexto(expresion);
        Pulsar(ventana_->cajaExpresion, Qt::Key_Return, Qt::NoModifier, "\r");
    }
    std::string Resultado() const { return ventana_->cajaResultado->text().toStdString(); }
    std::string Fila(int i) const { return ventana_->listaResultados->item(i)->text().toStdString(); }

    std::unique_ptr<TSesion> sesion_;
    std::unique_ptr<TfrmCalcu> ventana_;
    QStringList preguntas_, mensajes_;
    bool respuesta_ = false;
};

TEST_F(VentanaCalc, EnterEvaluatesRecordsAndTotals) {
    EXPECT_GE(ventana_->minimumWidth(), TfrmCalcu::kAnchoMinimo);
    EXPECT_GE(ventana_->minimumHeight(), TfrmCalcu::kAltoMinimo);
    Calcular("2+3");
    EXPECT_EQ(Resultado(), "5");
    ASSERT_EQ(ventana_->listaResultados->count(), 2);
    EXPECT_EQ(Fila(0), "2+3");
    EXPECT_EQ(Fila(1), "5   ");
    EXPECT_EQ(ventana_->cajaTotal->text().toStdString(), "5");
    EXPECT_EQ(ventana_->etiquetaCuenta->text().toStdString(), "1");
    EXPECT_TRUE(ventana_->botonDeshacer->isEnabled());
    EXPECT_EQ(ventana_->cajaTotal->toolTip().toStdString(), "Total (suma de resultados): 5");
    EXPECT_EQ(ventana_->cajaExpresion->itemText(0).toStdString(), "2+3");
    // The formula view now shows the expression's picture.
    EXPECT_TRUE(ventana_->vistaFormula->Dibujo().has_value());

    Calcular("3>2");
    EXPECT_EQ(Resultado(), "Verdadero");
    Calcular("3<2");
    EXPECT_EQ(Resultado(), "Falso");
    Calcular("1");
    EXPECT_EQ(Resultado(), "1");
    EXPECT_EQ(ventana_->cajaTotal->text().toStdString(), "6");  // truth values never join the total

    Calcular("");
    EXPECT_EQ(Resultado(), "");
    EXPECT_EQ(ventana_->listaResultados->count(), 8);
    Pulsar(ventana_->cajaExpresion, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(ventana_->cajaTotal->text().toStdString(), "0");
    ventana_->Deshacer();
    EXPECT_EQ(ventana_->cajaTotal->text().toStdString(), "6");
}

TEST_F(VentanaCalc, AnErrorShowsTheEnginesMessageAndRecordsNothing) {
    Calcular("2+");
    EXPECT_FALSE(Resultado().empty());
    EXPECT_NE(Resultado(), "0");
    EXPECT_EQ(ventana_->listaResultados->count(), 0);
    EXPECT_FALSE(ventana_->vistaFormula->Dibujo().has_value());
}

TEST_F(VentanaCalc, F7CyclesTheBaseAndTheHintShowsTheDecimal) {
    Calcular("10");
    Pulsar(ventana_->cajaExpresion, Qt::Key_F7);
    EXPECT_EQ(Resultado(), "1010 [2]");
    EXPECT_EQ(ventana_->cajaResultado->toolTip().toStdString(), "Resultado: 1010 [2]\n(Decimal: 10)");
    EXPECT_EQ(ventana_->botonBase->toolTip().toStdString(), "Base numérica del resultado: 2 (F7)");
    Pulsar(ventana_->cajaExpresion, Qt::Key_F7);
    EXPECT_EQ(Resultado(), "12 [8]");
    Pulsar(ventana_->cajaExpresion, Qt::Key_F7);
    EXPECT_EQ(Resultado(), "A [16]");
    Pulsar(ventana_->cajaExpresion, Qt::Key_F7);
    EXPECT_EQ(Resultado(), "10");
    ventana_->CambiarBase(5);
    Pulsar(ventana_->cajaExpresion, Qt::Key_F7);
    EXPECT_EQ(sesion_->Formato.BaseDefecto, 10);
    // Each change of base lists the pair again but the total counts it once.
    EXPECT_EQ(ventana_->cajaTotal->text().toStdString(), "10");
    EXPECT_EQ(ventana_->etiquetaCuenta->text().toStdString(), "1");
}

TEST_F(VentanaCalc, F11CyclesTheAngleUnitWithoutCountingTwice) {
    Calcular("Sen(30)");
    const int antes = sesion_->Angulo();
    Pulsar(ventana_->cajaExpresion, Qt::Key_F11);
    EXPECT_EQ(sesion_->Angulo(), (antes + 1) % 6);
    EXPECT_EQ(ventana_->listaResultados->count(), 4);
    EXPECT_EQ(ventana_->etiquetaCuenta->text().toStdString(), "1");
    EXPECT_NE(ventana_->botonAngulo->toolTip().indexOf("(F11)"), -1);
    for (int i = 0; i < 5; ++i) Pulsar(ventana_->cajaExpresion, Qt::Key_F11);
    EXPECT_EQ(sesion_->Angulo(), antes);
}

TEST_F(VentanaCalc, F12CyclesTheDigitFormats) {
    Calcular("2/3");
    EXPECT_EQ(sesion_->Digitos(), AjustesCalculadora::kDigitosFlotante);
    Pulsar(ventana_->cajaExpresion, Qt::Key_F12);
    EXPECT_EQ(sesion_->Digitos(), 0);
    Pulsar(ventana_->cajaExpresion, Qt::Key_F12);
    EXPECT_EQ(Resultado(), "0.67");
    EXPECT_EQ(ventana_->botonDigitos->toolTip().toStdString(), "Formato Decimal (F12): 2 dígitos");
    for (int i = 0; i < 7; ++i) Pulsar(ventana_->cajaExpresion, Qt::Key_F12);
    EXPECT_EQ(sesion_->Digitos(), 16);
    Pulsar(ventana_->cajaExpresion, Qt::Key_F12);
    EXPECT_EQ(sesion_->Digitos(), AjustesCalculadora::kDigitosFlotante);
    EXPECT_EQ(ventana_->botonDigitos->toolTip().toStdString(), "Formato Decimal (F12): Flotante");
}

TEST_F(VentanaCalc, EscapeTwiceEmptiesThenAsksToClose) {
    ventana_->cajaExpresion->SetTexto("1+1");
    Pulsar(ventana_->cajaExpresion, Qt::Key_Escape);
    EXPECT_TRUE(ventana_->cajaExpresion->Texto().isEmpty());
    EXPECT_TRUE(preguntas_.isEmpty());
    Pulsar(ventana_->cajaExpresion, Qt::Key_Escape);
    ASSERT_EQ(preguntas_.size(), 1);
    EXPECT_TRUE(preguntas_[0].endsWith("¿Cierra este programa?"));
}

TEST_F(VentanaCalc, WindowKeysComeBeforeTheLineEdit) {
    QLineEdit* edit = ventana_->cajaExpresion->lineEdit();
    const bool antes = EstadoCompletado::Activo;
    Pulsar(edit, Qt::Key_U, Qt::ControlModifier);
    EXPECT_NE(EstadoCompletado::Activo, antes);
    const bool historial = sesion_->Ajustes.VerHistorial;
    Pulsar(edit, Qt::Key_H, Qt::ControlModifier);
    EXPECT_NE(sesion_->Ajustes.VerHistorial, historial);
    // Keys of tools that do not exist yet do nothing, and change nothing.
    const AjustesCalculadora ajustes = sesion_->Ajustes;
    for (int k : {Qt::Key_F, Qt::Key_J, Qt::Key_L, Qt::Key_M, Qt::Key_P, Qt::Key_Q, Qt::Key_S, Qt::Key_R})
        Pulsar(edit, k, Qt::ControlModifier);
    EXPECT_EQ(sesion_->Ajustes, ajustes);
    EXPECT_TRUE(ventana_->Herramientas().empty());
}

TEST_F(VentanaCalc, SolvingForTheUnknownShowsTheValueOrTheMessage) {
    ventana_->cajaExpresion->SetTexto("2*?+1=7");
    Pulsar(ventana_->cajaExpresion, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(mensajes_.size(), 1);
    EXPECT_EQ(mensajes_[0].toStdString(), "3");
    ventana_->cajaExpresion->SetTexto("2+");
    Pulsar(ventana_->cajaExpresion, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(mensajes_.size(), 2);
    EXPECT_FALSE(mensajes_[1].isEmpty());
    EXPECT_NE(mensajes_[1].toStdString(), "0");
    ventana_->cajaExpresion->SetTexto("2*x");  // no unknown: the engine says why
    Pulsar(ventana_->cajaExpresion, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(mensajes_.size(), 3);
    EXPECT_NE(mensajes_[2].toStdString(), "0");
}

TEST_F(VentanaCalc, PromptWindowAnswersAndCancels) {
    TfmInput* input = ventana_->Input();
    QTimer::singleShot(0, input, [input] {
        EXPECT_EQ(input->windowTitle().toStdString(), "Indique el valor de la variable a");
        EXPECT_EQ(input->Texto()->Texto().toStdString(), "1");
        input->Texto()->SetTexto("2");
        input->accept();
    });
    Calcular("a+a");
    EXPECT_EQ(Resultado(), "4");
    EXPECT_EQ(Fila(1), "4   {a=2} ");

    QTimer::singleShot(0, input, [input] { input->reject(); });
    Calcular("b*3");
    EXPECT_EQ(Resultado(), "Cálculo cancelado");
    EXPECT_EQ(ventana_->listaResultados->count(), 2);
}

TEST_F(VentanaCalc, EscapeCancelsALongEvaluationAndACloseWaitsForIt) {
    ventana_->show();
    bool cerroDurante = false;
    QTimer::singleShot(150, ventana_.get(), [&] {
        EXPECT_TRUE(ventana_->Evaluando());
        // Menus and commands wait; a close request is kept for later.
        Pulsar(ventana_->cajaExpresion, Qt::Key_F7);
        ventana_->close();
        cerroDurante = !ventana_->isVisible();
        Pulsar(ventana_->cajaExpresion, Qt::Key_Escape);
    });
    Calcular("Sumatoria(1,1000000000000000,n)");
    EXPECT_FALSE(cerroDurante);
    EXPECT_EQ(Resultado(), "Cálculo cancelado");
    EXPECT_EQ(sesion_->Formato.BaseDefecto, 10);
    EXPECT_FALSE(ventana_->Evaluando());
    QApplication::processEvents();
    EXPECT_FALSE(ventana_->isVisible());
    // Closing wrote the settings and the placement.
    TVelIniFile ini(dir_ / "numbrix.ini");
    EXPECT_FALSE(ini.ReadBool("PosfrmCalcu", "First", true));
}

TEST_F(VentanaCalc, ResultListCommands) {
    Calcular("1+1");
    Calcular("2+2");
    ventana_->listaResultados->setCurrentRow(3);
    ventana_->AsignarDesdeLista();
    EXPECT_EQ(ventana_->cajaExpresion->Texto().toStdString(), "2");
    ventana_->listaResultados->setCurrentRow(0);
    Pulsar(ventana_->listaResultados, Qt::Key_Return);
    EXPECT_EQ(ventana_->cajaExpresion->Texto().toStdString(), "2+2");

    ventana_->menuLista->popup(QPoint(0, 0));
    QAction* limpiar = nullptr;
    for (QAction* a : ventana_->menuLista->actions())
        if (a->text() == "Limpiar Todo") limpiar = a;
    ventana_->menuLista->hide();
    ASSERT_NE(limpiar, nullptr);
    respuesta_ = false;
    limpiar->trigger();
    EXPECT_EQ(ventana_->listaResultados->count(), 4);
    ASSERT_EQ(preguntas_.size(), 1);
    EXPECT_EQ(preguntas_[0].toStdString(), "Vaciar Detalle|¿Esta seguro?");
    respuesta_ = true;
    limpiar->trigger();
    EXPECT_EQ(ventana_->listaResultados->count(), 0);
}

TEST_F(VentanaCalc, MemoryMenuCaptionsFollowTheMemories) {
    Calcular("7");
    QMenu* m0 = ventana_->menuMemorias->actions().at(0)->menu();
    ASSERT_NE(m0, nullptr);
    m0->actions().at(1)->trigger();  // Cargar
    emit ventana_->menuMemorias->aboutToShow();
    EXPECT_EQ(ventana_->menuMemorias->actions().at(0)->text().toStdString(), "M0 = 7");
    m0->actions().at(4)->trigger();  // Restar
    emit ventana_->menuMemorias->aboutToShow();
    EXPECT_EQ(ventana_->menuMemorias->actions().at(0)->text().toStdString(), "M0 = 0");
    ventana_->cajaExpresion->SetTexto("2*");
    m0->actions().at(0)->trigger();  // Insertar
    EXPECT_EQ(ventana_->cajaExpresion->Texto().toStdString(), "2*M0");
}

TEST_F(VentanaCalc, SplitterCollapsesAPanelBelowThirtyPixels) {
    ventana_->resize(500, 400);
    ventana_->show();
    QApplication::processEvents();
    const int total = ventana_->panelMedio->sizes()[0] + ventana_->panelMedio->sizes()[1];
    ventana_->panelMedio->setSizes({20, total - 20});
    emit ventana_->panelMedio->splitterMoved(20, 1);
    EXPECT_EQ(ventana_->panelMedio->sizes()[0], 1);
    ventana_->panelMedio->setSizes({total - 25, 25});
    emit ventana_->panelMedio->splitterMoved(total - 25, 1);
    EXPECT_EQ(ventana_->panelMedio->sizes()[1], 1);
}

TEST_F(VentanaCalc, SettingsListAndHistorySurviveARestart) {
    Calcular("6*7");
    ventana_->CambiarBase(16);
    ventana_->move(40, 30);
    ventana_->GuardarTodo();
    ventana_.reset();
    sesion_ = std::make_unique<TSesion>();
    sesion_->Abrir(dir_);
    TfrmCalcu otra(*sesion_);
    EXPECT_EQ(sesion_->Formato.BaseDefecto, 16);
    EXPECT_EQ(otra.botonBase->text().toStdString(), "16");
    ASSERT_EQ(otra.listaResultados->count(), 4);
    EXPECT_EQ(otra.listaResultados->item(0)->text().toStdString(), "6*7");
    ASSERT_GE(otra.cajaExpresion->count(), 1);
    EXPECT_EQ(otra.cajaExpresion->itemText(0).toStdString(), "6*7");
    TVelIniFile ini(dir_ / "numbrix.ini");
    EXPECT_FALSE(ini.ReadBool("PosfrmCalcu", "First", true));
    EXPECT_EQ(ini.ReadInteger("PosfrmCalcu", "Width", 0), otra.width());
}

TEST_F(VentanaCalc, ReducedModeShrinksOnLeaveAndGrowsOnEnter) {
    ventana_->setGeometry(200, 200, 520, 360);
    ventana_->show();
    QApplication::processEvents();
    const QRect completa = ventana_->geometry();
    ventana_->ModoReducido(true);
    QCursor::setPos(5, 5);
    QEvent salida(QEvent::Leave);
    QApplication::sendEvent(ventana_.get(), &salida);
    ASSERT_TRUE(ventana_->Reducida());
    EXPECT_LT(ventana_->height(), completa.height());
    EXPECT_FALSE(ventana_->mask().isEmpty());
    EXPECT_TRUE(ventana_->windowFlags() & Qt::FramelessWindowHint);

    Esperar(300);  // past the settling time of a change
    QCursor::setPos(completa.center());
    QEnterEvent entrada(QPointF(10, 10), QPointF(10, 10), QPointF(210, 210));
    QApplication::sendEvent(ventana_.get(), &entrada);
    EXPECT_FALSE(ventana_->Reducida());
    EXPECT_EQ(ventana_->geometry(), completa);
    EXPECT_TRUE(ventana_->mask().isEmpty());

    // Never while a menu is open: its pop-up takes the pointer away.
    Esperar(300);
    ASSERT_FALSE(ventana_->Reducida());
    ventana_->menuAngulo->popup(QPoint(0, 0));
    ASSERT_EQ(QApplication::activePopupWidget(), ventana_->menuAngulo);
    QCursor::setPos(5, 5);
    QApplication::sendEvent(ventana_.get(), &salida);
    EXPECT_FALSE(ventana_->Reducida());
    ventana_->menuAngulo->hide();

    ventana_->ModoReducido(false);
    QApplication::sendEvent(ventana_.get(), &salida);
    EXPECT_FALSE(ventana_->Reducida());
}

TEST_F(VentanaCalc, WindowFlagsToggleOnce) {
    ventana_->SiempreVisible(true);
    EXPECT_TRUE(ventana_->TopMost());
    EXPECT_TRUE(ventana_->botonSiempreVisible->isChecked());
    EXPECT_TRUE(sesion_->Ajustes.SiempreVisible);
    ventana_->SiempreVisible(false);
    EXPECT_FALSE(ventana_->TopMost());

    QMouseEvent doble(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(ventana_.get(), &doble);
    EXPECT_TRUE(sesion_->Ajustes.NoTitulo);
    EXPECT_TRUE(ventana_->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(ventana_->windowTitle().isEmpty());
    QApplication::sendEvent(ventana_.get(), &doble);
    EXPECT_FALSE(sesion_->Ajustes.NoTitulo);
    EXPECT_EQ(ventana_->windowTitle().toStdString(), TfrmCalcu::kTitulo);
}

TEST_F(VentanaCalc, WithoutANotificationAreaTheOptionIsOffAndMinimisingIsPlain) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) GTEST_SKIP() << "this desktop has a notification area";
    QAction* opcion = nullptr;
    for (QMenu* m : ventana_->menuHerramientas->findChildren<QMenu*>())
        for (QAction* a : m->actions())
            if (a->text() == "Minimizar al área de notificación") opcion = a;
    ASSERT_NE(opcion, nullptr);
    EXPECT_FALSE(opcion->isEnabled());
    EXPECT_FALSE(opcion->toolTip().isEmpty());
    sesion_->Ajustes.MinIcon = true;  // stored from a desktop that had one
    ventana_->show();
    ventana_->setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_FALSE(ventana_->isHidden());
}

TEST_F(VentanaCalc, AFailedSaveIsReportedAndCanBeRetried) {
    Calcular("1+2");
    // The settings file cannot be replaced while a folder stands in its way.
    std::filesystem::remove(dir_ / "numbrix.ini");
    std::filesystem::create_directory(dir_ / "numbrix.ini");
    int avisos = 0;
    std::function<void()> responder = [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caja) {
            QTimer::singleShot(10, responder);
            return;
        }
        ++avisos;
        EXPECT_TRUE(caja->text().startsWith("No se pudieron guardar los ajustes"));
        if (avisos == 1) {
            // Retry after clearing the way: the second attempt succeeds.
            std::filesystem::remove(dir_ / "numbrix.ini");
            for (QAbstractButton* b : caja->buttons())
                if (b->text() == "Reintentar") b->click();
        }
    };
    QTimer::singleShot(10, responder);
    EXPECT_TRUE(ventana_->GuardarTodo());
    EXPECT_EQ(avisos, 1);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir_ / "numbrix.ini"));

    Calcular("2+2");  // something new to write
    std::filesystem::remove(dir_ / "numbrix.ini");
    std::filesystem::create_directory(dir_ / "numbrix.ini");
    std::function<void()> cerrar = [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caja) {
            QTimer::singleShot(10, cerrar);
            return;
        }
        for (QAbstractButton* b : caja->buttons())
            if (b->text() == "Cerrar sin guardar") b->click();
    };
    QTimer::singleShot(10, cerrar);
    EXPECT_FALSE(ventana_->GuardarTodo());
}

TEST_F(VentanaCalc, WhatSitsOnTheBackgroundStaysReadableUnderADarkScheme) {
    // A dark background with a dark text colour: the list, the total and the
    // formula must not be written black on dark.
    sesion_->Ajustes.ClFondo = 0x1C202C;
    sesion_->Ajustes.ClTexto = 0x000000;
    ventana_->AplicarDiseno();
    const QColor fondo = ventana_->listaResultados->palette().color(QPalette::Base);
    for (QWidget* w : {static_cast<QWidget*>(ventana_->listaResultados), static_cast<QWidget*>(ventana_->cajaTotal)}) {
        const QColor tinta = w->palette().color(QPalette::Text);
        EXPECT_GE(Contraste(ColorDeQColor(tinta), ColorDeQColor(fondo)), kContrasteMinimo);
    }
    // A light scheme keeps the text colour.
    sesion_->Ajustes.ClFondo = 0xD9ECEC;
    ventana_->AplicarDiseno();
    EXPECT_EQ(ventana_->listaResultados->palette().color(QPalette::Text), QColor(Qt::black));
}

TEST(VentanaFuentes, OldDefaultAndMissingFamiliesFallBackWithoutBeingRewritten) {
    prueba::AplicacionQt();
    CarpetaTemporalSimple dir;
    {
        TVelIniFile ini(dir.Ruta / "numbrix.ini");
        ini.WriteString("Opciones", "FENom", "Familia Que No Existe");
        ini.WriteString("Opciones", "FRNom", "MS Sans Serif");
        ini.UpdateFile();
    }
    TSesion sesion;
    sesion.Abrir(dir.Ruta);
    {
        TfrmCalcu v(sesion);
        EXPECT_EQ(v.cajaExpresion->font().family(), QApplication::font().family());
        EXPECT_EQ(v.cajaResultado->font().family(), QApplication::font().family());
        EXPECT_TRUE(v.cajaResultado->font().bold());  // the result box's default style
        v.GuardarTodo();
    }
    TVelIniFile ini(dir.Ruta / "numbrix.ini");
    EXPECT_EQ(ini.ReadString("Opciones", "FENom"), "Familia Que No Existe");
}

TEST(VentanaTitulo, AHiddenTitleIsHiddenFromTheStart) {
    prueba::AplicacionQt();
    CarpetaTemporalSimple dir;
    {
        TVelIniFile ini(dir.Ruta / "numbrix.ini");
        ini.WriteBool("Opciones", "NoTitulo", true);
        ini.UpdateFile();
    }
    TSesion sesion;
    sesion.Abrir(dir.Ruta);
    TfrmCalcu v(sesion);
    EXPECT_TRUE(v.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(v.windowTitle().isEmpty());
}

TEST_F(VentanaCalc, InsertMenuHoldsEveryTemplate) {
    QStringList textos;
    std::function<void(QMenu*)> recorrer = [&](QMenu* m) {
        for (QAction* a : m->actions()) {
            if (a->menu()) recorrer(a->menu());
            else if (!a->isSeparator()) textos << a->text();
        }
    };
    recorrer(ventana_->menuInsertar);
    for (const char* t : {"&Resultado", "<=", "Pi", "Euler", "LogN", "ArcTgH", "Hipot", "Det", "Resolver", "CmbR",
                          "DNormStdA", "Constantes...", "Funciones..."})
        EXPECT_TRUE(textos.contains(t)) << t;
    ventana_->cajaExpresion->SetTexto("2*");
    for (QAction* a : ventana_->menuInsertar->findChildren<QAction*>())
        if (a->text() == "Max") a->trigger();
    EXPECT_EQ(ventana_->cajaExpresion->Texto().toStdString(), "2*Max(,)");
    EXPECT_EQ(ventana_->cajaExpresion->lineEdit()->cursorPosition(), 6);
}

TEST_F(VentanaCalc, DescribingUserFunctionsRedrawsWithoutRecording) {
    Calcular("2+3");
    ASSERT_TRUE(ventana_->vistaFormula->Dibujo().has_value());
    QAction* describir = nullptr;
    for (QAction* a : ventana_->menuFormula->actions())
        if (a->text() == "Describir funciones de usuario") describir = a;
    ASSERT_NE(describir, nullptr);
    describir->trigger();
    EXPECT_TRUE(sesion_->Principal().SinEnvoltura);
    EXPECT_TRUE(ventana_->vistaFormula->Dibujo().has_value());
    EXPECT_EQ(ventana_->listaResultados->count(), 2);
    EXPECT_EQ(ventana_->etiquetaCuenta->text().toStdString(), "1");
}

// ---------------------------------------------------------------- readability

// The desktop palettes the program must stay readable under: Fusion's own
// light one, and the dark one a GTK desktop (Adwaita dark) hands Qt.
QPalette PaletaEscritorio(bool oscura) {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QPalette p = fusion->standardPalette();
    if (!oscura) return p;
    struct Rol {
        QPalette::ColorRole rol;
        QColor activo, inactivo;
    } const roles[] = {
        {QPalette::WindowText, {240, 240, 240}, {130, 130, 130}}, {QPalette::Button, {50, 50, 50}, {50, 50, 50}},
        {QPalette::Light, {75, 75, 75}, {75, 75, 75}},           {QPalette::Midlight, {42, 42, 42}, {42, 42, 42}},
        {QPalette::Dark, {33, 33, 33}, {190, 190, 190}},        {QPalette::Mid, {38, 38, 38}, {38, 38, 38}},
        {QPalette::Text, {240, 240, 240}, {130, 130, 130}},     {QPalette::BrightText, {75, 75, 75}, {75, 75, 75}},
        {QPalette::ButtonText, {240, 240, 240}, {130, 130, 130}}, {QPalette::Base, {36, 36, 36}, {50, 50, 50}},
        {QPalette::Window, {50, 50, 50}, {50, 50, 50}},         {QPalette::Shadow, {25, 25, 25}, {37, 37, 37}},
        {QPalette::Highlight, {48, 140, 198}, {145, 145, 145}}, {QPalette::HighlightedText, {240, 240, 240}, {240, 240, 240}},
        {QPalette::Link, {48, 140, 198}, {48, 140, 198}},       {QPalette::AlternateBase, {43, 43, 43}, {43, 43, 43}},
    };
    for (const Rol& r : roles) {
        p.setColor(QPalette::Active, r.rol, r.activo);
        p.setColor(QPalette::Inactive, r.rol, r.activo);
        p.setColor(QPalette::Disabled, r.rol, r.inactivo);
    }
    return p;
}

double Razon(const QColor& a, const QColor& b) { return Contraste(ColorDeQColor(a), ColorDeQColor(b)); }

// The lowest contrast of a text anywhere on a band's gradient.
double PeorSobreBanda(const QColor& tinta, const QColor& a, const QColor& b) {
    double peor = 21;
    for (int i = 0; i <= 200; ++i) {
        const QColor c(a.red() + (b.red() - a.red()) * i / 200, a.green() + (b.green() - a.green()) * i / 200,
                       a.blue() + (b.blue() - a.blue()) * i / 200);
        peor = std::min(peor, Razon(tinta, c));
    }
    return peor;
}

TEST_F(VentanaCalc, EveryPaintedTextIsReadableUnderEverySchemeAndPalette) {
    const char* datos = std::getenv("NUMBRIX_TEST_DATA");
    ASSERT_NE(datos, nullptr);
    std::filesystem::copy_file(std::filesystem::path(datos) / "colores.ini", dir_ / "colores.ini");
    const QPalette original = QApplication::palette();
    ventana_->resize(560, 380);
    ventana_->show();
    // Every shipped scheme, the settings' own default and "Usar Predeterminado".
    TfmOpciones opciones(ventana_.get(), *sesion_, [this] { ventana_->AplicarDiseno(); });
    std::vector<std::pair<std::string, T4Colores>> esquemas;
    for (const auto& e : opciones.Esquemas().Lista()) esquemas.emplace_back(e.Nombre, e.Colores);
    ASSERT_GE(esquemas.size(), 9u);
    esquemas.emplace_back("(ajustes por defecto)", EsquemaDe(AjustesCalculadora{}));
    esquemas.emplace_back("(Usar Predeterminado)", ColoresPredeterminados());

    std::map<std::string, std::pair<double, std::string>> peores;
    for (bool oscura : {false, true}) {
        QApplication::setPalette(PaletaEscritorio(oscura));
        TfmTips consejos(nullptr, dir_);
        for (std::size_t i = 0; i < esquemas.size(); ++i) {
            const auto& [nombre, esquema] = esquemas[i];
            // The file's schemes go through the options window, as a user
            // would apply them; its preview must show what the window paints.
            if (i < opciones.Esquemas().Lista().size()) {
                opciones.ListaEsquemas()->setCurrentRow(static_cast<int>(i));
                opciones.Aplicar();
            } else {
                sesion_->Ajustes.ClLuz = EnteroDeColor(esquema.Luz);
                sesion_->Ajustes.ClSombra = EnteroDeColor(esquema.Sombra);
                sesion_->Ajustes.ClTexto = EnteroDeColor(esquema.Texto);
                sesion_->Ajustes.ClFondo = EnteroDeColor(esquema.Fondo);
                ventana_->AplicarDiseno();
                opciones.Vista()->SetColores(esquema);
            }
            EXPECT_EQ(opciones.Vista()->Pintados(), ventana_->Pintados()) << nombre;
            QApplication::processEvents();

            struct Medida {
                std::string papel;
                double razon, minimo;
            };
            std::vector<Medida> medidas;
            auto caja = [&](const char* papel, QWidget* w) {
                const QPalette p = w->palette();
                medidas.push_back({papel, Razon(p.color(QPalette::Text), p.color(QPalette::Base)), kContrasteMinimo});
            };
            caja("expresión", ventana_->cajaExpresion->lineEdit());
            caja("resultado", ventana_->cajaResultado);
            caja("lista", ventana_->listaResultados);
            caja("total", ventana_->cajaTotal);
            const QPalette lista = ventana_->listaResultados->palette();
            medidas.push_back({"fila elegida", Razon(lista.color(QPalette::HighlightedText), lista.color(QPalette::Highlight)),
                               kContrasteMinimo});
            medidas.push_back({"insignia", Contraste(kTintaInsignia, kInsignia), kContrasteMinimo});
            medidas.push_back({"fórmula", Razon(ventana_->vistaFormula->Tinta(), ventana_->vistaFormula->palette().color(QPalette::Base)),
                               kContrasteMinimo});
            // Labels and buttons on the bands, wherever they sit on the gradient.
            for (const char* nombreBanda : {"bandaSuperior", "bandaInferior"}) {
                auto* panel = ventana_->findChild<QWidget*>(nombreBanda);
                ASSERT_NE(panel, nullptr);
                // The gradient as painted: its first and last rows, at the
                // right edge where no control sits.
                const QImage imagen = panel->grab().toImage();
                const QColor a = imagen.pixelColor(imagen.width() - 2, 0);
                const QColor b = imagen.pixelColor(imagen.width() - 2, imagen.height() - 1);
                for (QWidget* w : panel->findChildren<QWidget*>()) {
                    if (!qobject_cast<QLabel*>(w) && !qobject_cast<QToolButton*>(w)) continue;
                    const QPalette p = w->palette();
                    const QPalette::ColorRole rol = w->foregroundRole();
                    medidas.push_back({"banda " + w->objectName().toStdString(),
                                       PeorSobreBanda(p.color(QPalette::Active, rol), a, b), kContrasteMinimo});
                    // A disabled button (undo before any addition) is seen.
                    medidas.push_back({"banda inactiva " + w->objectName().toStdString(),
                                       PeorSobreBanda(p.color(QPalette::Disabled, rol), a, b), kContrasteInactivo});
                }
            }
            // The tips window does not follow the scheme, only the palette.
            medidas.push_back({"consejos", Razon(consejos.Indicador()->palette().color(QPalette::WindowText), consejos.ColorPanel()),
                               kContrasteMinimo});
            medidas.push_back({"casilla de consejos", Razon(consejos.ColorCasilla(), consejos.ColorPanel()), kContrasteInactivo});

            auto& peor = peores.try_emplace(nombre, 21.0, "").first->second;
            for (const Medida& m : medidas) {
                EXPECT_GE(m.razon, m.minimo) << nombre << (oscura ? " (oscuro) " : " (claro) ") << m.papel;
                if (m.minimo == kContrasteMinimo && m.razon < peor.first)
                    peor = {m.razon, m.papel + (oscura ? ", escritorio oscuro" : ", escritorio claro")};
            }
        }
    }
    QApplication::setPalette(original);
    opciones.reject();
    for (const auto& [nombre, peor] : peores)
        std::printf("  contraste mínimo %-24s %5.2f  (%s)\n", nombre.c_str(), peor.first, peor.second.c_str());
}

TEST_F(VentanaCalc, TheTotalIsShortenedNeverCut) {
    ventana_->resize(TfrmCalcu::kAnchoMinimo, 300);
    ventana_->show();
    QLineEdit* total = ventana_->cajaTotal;
    QFont grande = total->font();  // a large desktop font: 21 characters no longer fit
    grande.setPointSize(18);
    total->setFont(grande);
    QApplication::processEvents();
    for (int i = 0; i < 3; ++i) Calcular("2^100");
    QApplication::processEvents();
    const std::string completo = sesion_->TextoTotal();
    ASSERT_GT(total->fontMetrics().horizontalAdvance(QString::fromStdString(completo)), total->contentsRect().width());
    const QString texto = total->text();
    EXPECT_LE(total->fontMetrics().horizontalAdvance(texto), total->contentsRect().width() - 8) << texto.toStdString();
    // Shorter, yet the same number: fewer digits and its exponent.
    ASSERT_TRUE(texto.contains('e')) << texto.toStdString();
    const std::string t = texto.toStdString();
    long double leido = 0;
    std::from_chars(t.data(), t.data() + t.size(), leido);
    const long double esperado = 3 * std::pow(2.0L, 100);
    EXPECT_LT(std::fabs(leido - esperado) / esperado, 1e-3L) << t;
    EXPECT_EQ(total->toolTip().toStdString(), "Total (suma de resultados): " + completo);
    // With room for it the whole text shows again.
    ventana_->resize(1000, 300);
    QApplication::processEvents();
    EXPECT_EQ(total->text().toStdString(), completo);
}

TEST_F(VentanaCalc, AMessageWiderThanTheResultBoxIsWrittenOutBelowIt) {
    ventana_->resize(TfrmCalcu::kAnchoMinimo, 300);
    ventana_->show();
    QApplication::processEvents();
    const int alto = ventana_->height();
    Calcular("2+");  // the engine's longest message: the expression ends in an operator
    const QString mensaje = ventana_->cajaResultado->text();
    ASSERT_GT(ventana_->cajaResultado->fontMetrics().horizontalAdvance(mensaje), ventana_->cajaResultado->contentsRect().width());
    EXPECT_EQ(ventana_->cajaResultado->toolTip(), mensaje);
    EXPECT_TRUE(ventana_->etiquetaMensaje->isVisible());
    EXPECT_EQ(ventana_->etiquetaMensaje->text(), mensaje);
    EXPECT_EQ(ventana_->height(), alto);  // the middle panel makes the room
    Calcular("5");
    EXPECT_FALSE(ventana_->etiquetaMensaje->isVisible());
    // In a wide window the box holds it all.
    Calcular("2+");
    ventana_->resize(1200, 300);
    QApplication::processEvents();
    EXPECT_FALSE(ventana_->etiquetaMensaje->isVisible());
}

TEST_F(VentanaCalc, TogglingPanelsGivesTheMiddlePanelBackItsRoom) {
    ventana_->resize(500, 400);
    ventana_->show();
    QApplication::processEvents();
    auto medio = [this] {
        QApplication::processEvents();
        return ventana_->panelMedio->height();
    };
    const int antes = medio();
    ASSERT_GE(antes, TfrmCalcu::kAltoMedioMinimo);
    // Ctrl+T hides the bar; Ctrl+H twice hides and brings back the panel.
    QLineEdit* edit = ventana_->cajaExpresion->lineEdit();
    Pulsar(edit, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(medio(), antes);
    Pulsar(edit, Qt::Key_H, Qt::ControlModifier);
    QApplication::processEvents();
    // The top band alone, filling the window's least height.
    EXPECT_EQ(ventana_->height(), std::max(TfrmCalcu::kAltoMinimo, ventana_->findChild<QWidget*>("bandaSuperior")->sizeHint().height()));
    EXPECT_EQ(ventana_->findChild<QWidget*>("bandaSuperior")->height(), ventana_->height());
    Pulsar(edit, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(medio(), antes);
    Pulsar(edit, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(medio(), antes);
    // A middle panel the user squeezed comes back at the least height.
    ventana_->resize(500, ventana_->minimumHeight());
    EXPECT_LT(medio(), TfrmCalcu::kAltoMedioMinimo);
    Pulsar(edit, Qt::Key_H, Qt::ControlModifier);
    Pulsar(edit, Qt::Key_H, Qt::ControlModifier);
    EXPECT_GE(medio(), TfrmCalcu::kAltoMedioMinimo);
    Pulsar(edit, Qt::Key_T, Qt::ControlModifier);
    Pulsar(edit, Qt::Key_T, Qt::ControlModifier);
    EXPECT_GE(medio(), TfrmCalcu::kAltoMedioMinimo);
}

TEST_F(VentanaCalc, ControlsThatDoNothingAreNotOffered) {
    ventana_->show();
    QApplication::processEvents();
    // No tool yet: the strip takes no room and the total has the width.
    EXPECT_FALSE(ventana_->panelHerramientas->isVisible());
    EXPECT_GT(ventana_->cajaTotal->width(), ventana_->width() / 2);
    // No chemistry yet: Ctrl+R is not the window's, and the option hides.
    QKeyEvent ctrlR(QEvent::KeyPress, Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(ventana_->TeclaVentana(&ctrlR));
    TfmOpciones opciones(ventana_.get(), *sesion_, {});
    opciones.show();
    EXPECT_FALSE(opciones.CasillaMMR()->isVisible());
    opciones.reject();

    bool quimica = false;
    ventana_->Quimica = [&](bool si) { quimica = si; };
    sesion_->Ajustes.MMR = false;
    EXPECT_TRUE(ventana_->TeclaVentana(&ctrlR));
    EXPECT_TRUE(quimica);
    ventana_->RegistrarHerramienta({"Prueba", "Prueba", 'F', [](QWidget*, bool) {}, false});
    QApplication::processEvents();
    EXPECT_TRUE(ventana_->panelHerramientas->isVisible());
    // "Mostrar Total" hides the whole group, its label too.
    ventana_->VerTotal(false);
    EXPECT_FALSE(ventana_->etiquetaTotal->isVisible());
    EXPECT_FALSE(ventana_->cajaTotal->isVisible());
}

TEST(PrimerInicio, LaPreguntaTieneBotonesEnEspanol) {
    QApplication& app = prueba::AplicacionQt();
    ASSERT_TRUE(TraducirDialogosQt(app));
    // Qt's own file and colour dialogs, which the translation covers.
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
    CarpetaTemporalSimple dir;
    TSesion sesion;
    sesion.Abrir(dir.Ruta);
    ASSERT_TRUE(sesion.Ajustes.PrimerInicio());
    QStringList botones;
    std::function<void()> responder = [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caja) {
            QTimer::singleShot(10, responder);
            return;
        }
        for (QAbstractButton* b : caja->buttons()) botones << b->text().remove('&');
        caja->button(QMessageBox::No)->click();
    };
    QTimer::singleShot(10, responder);
    TfrmCalcu::PreguntarPrimerInicio(sesion, nullptr);
    botones.sort();
    EXPECT_EQ(botones, QStringList({"No", "Sí"}));
    EXPECT_FALSE(sesion.Ajustes.PrimerInicio());
}

}  // namespace
}  // namespace numbrix
