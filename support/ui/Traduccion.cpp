#include "support/ui/Traduccion.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace numbrix {

namespace {

class TTiposEnEspanol : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return "Carpeta";
        const QString ext = info.suffix();
        return ext.isEmpty() ? QStringLiteral("Archivo") : "Archivo " + ext.toUpper();
    }
};

}  // namespace

bool TraducirDialogosQt(QCoreApplication& app) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    if (app.findChild<QTranslator*>("traduccionQt")) return true;
    auto* t = new QTranslator(&app);
    t->setObjectName("traduccionQt");
    if (!t->load("qtbase_es", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    return true;
}

void TiposEnEspanol(QFileDialog& dialogo) {
    static TTiposEnEspanol tipos;  // stateless, outlives every dialog
    dialogo.setIconProvider(&tipos);
}

}  // namespace numbrix
