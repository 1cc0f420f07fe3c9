// The formula view's menu: its items follow the window's picture, it opens
// only when the window lets it, and copy, export, fit and describe act.
#include "support/ui/MenuFormula.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "AplicacionQt.h"
#include "CarpetaTemporal.h"
#include "engine/DiagramaX.h"
#include "support/ui/LienzoQt.h"
#include "support/ui/VistaFormula.h"

namespace numbrix {
namespace {

class MenuFormula : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        TExpresionX e;
        e.SetPredefinidas(true);
        e.SetTexto("Raiz(2)/3");
        dibujo_ = Metarchivo(e, std::make_shared<MetricasQt>());
        menu_.Informar = [this](const QString& m) { avisos_ << m; };
    }
    QApplication& app_ = prueba::AplicacionQt();  // before any widget
    std::optional<LienzoGrabado> dibujo_;
    TVistaFormula vista_;
    TMenuFormula menu_{&vista_};
    QStringList avisos_;
};

TEST_F(MenuFormula, ItemsFollowTheWindowsPictureAndItOpensWhenTheWindowLets) {
    const LienzoGrabado* propio = nullptr;  // the window's picture, not the view's placeholder
    menu_.Dibujo = [&] { return propio; };
    vista_.PonerDibujo(dibujo_);
    bool libre = false;
    menu_.Disponible = [&] { return libre; };
    for (bool conDibujo : {false, true}) {
        propio = conDibujo ? &*dibujo_ : nullptr;
        libre = !libre;
        emit vista_.customContextMenuRequested({5, 5});
        EXPECT_EQ(menu_.isVisible(), libre);
        menu_.popup({0, 0});
        EXPECT_EQ(menu_.AccionCopiar()->isEnabled(), conDibujo);
        EXPECT_EQ(menu_.AccionExportar()->isEnabled(), conDibujo);
        menu_.hide();
    }
    EXPECT_TRUE(vista_.Ajustar());
    menu_.AccionAjustar()->trigger();
    EXPECT_FALSE(vista_.Ajustar());
}

TEST_F(MenuFormula, CopyExportAndDescribe) {
    vista_.PonerDibujo(dibujo_);
    QGuiApplication::clipboard()->clear();
    QMouseEvent doble(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&vista_, &doble);
    ASSERT_NE(QGuiApplication::clipboard()->mimeData(), nullptr);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasImage());
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->data("image/svg+xml").startsWith("<?xml"));

    QString ruta = QString::fromStdString((dir_ / "f.svg").string());
    menu_.ElegirArchivo = [&] { return ruta; };
    menu_.AccionExportar()->trigger();
    EXPECT_TRUE(std::filesystem::file_size(dir_ / "f.svg") > 0);
    ruta = QString::fromStdString((dir_ / "no" / "f.png").string());
    menu_.Exportar();
    ASSERT_EQ(avisos_.size(), 1);
    EXPECT_TRUE(avisos_[0].startsWith("No se pudo exportar la imagen")) << avisos_[0].toStdString();
    EXPECT_EQ(RutaConExtension("a", "Imagen PNG (*.png)").toStdString(), "a.png");
    EXPECT_EQ(RutaConExtension("a.PNG", "Imagen PNG (*.png)").toStdString(), "a.PNG");

    EXPECT_EQ(menu_.AccionDescribir(), nullptr);  // only for a window with user functions
    std::vector<bool> dichos;
    menu_.PonerDescribir([&](bool si) { dichos.push_back(si); });
    menu_.AccionDescribir()->trigger();
    menu_.AccionDescribir()->trigger();
    EXPECT_EQ(dichos, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace numbrix
