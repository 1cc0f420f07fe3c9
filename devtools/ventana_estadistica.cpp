// Shows the statistics window alone, for looking at it: the data lines of
// the first argument (a file, or "-" for about thirty made-up values), then
// "r" to open the results page and "f" to sort the table by frequency.
//   ventana_estadistica [DATOS|-] [r|f]
#include <QApplication>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "shell/AjustesCalculadora.h"
#include "shell/ui/fmComun.h"
#include "support/ui/Traduccion.h"
#include "tools/ui/fmStat.h"

using namespace numbrix;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TraducirDialogosQt(app);
    TfmStat v;
    v.AplicarColores(ColoresVentana::De(AjustesCalculadora{}));
    std::string datos = "4.5*2\n5.1*3\n5.8*5\n6.2*7\n6.9*4\n7.4*3\n8*2\n9.3\n3.9\n";
    if (argc > 1 && std::string(argv[1]) != "-") {
        std::ifstream f(argv[1], std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        datos = s.str();
    }
    v.PegarTexto(QString::fromStdString(datos));
    const std::string modo = argc > 2 ? argv[2] : "";
    v.show();
    if (modo == "f") v.Datos().Ordenar(1), v.Datos().Ordenar(1), v.PegarTexto("");
    if (modo == "r") QTimer::singleShot(0, &v, [&v] { v.paginas->setCurrentIndex(1); });
    return app.exec();
}
