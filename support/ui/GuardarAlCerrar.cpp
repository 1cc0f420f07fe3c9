#include "support/ui/GuardarAlCerrar.h"

#include <QMessageBox>
#include <QPushButton>
#include <exception>

namespace numbrix {

bool GuardarAlCerrar(QWidget* padre, const QString& titulo, const QString& introduccion,
                     const std::function<void()>& guardar) {
    while (true) {
        try {
            guardar();
            return true;
        } catch (const std::exception& e) {
            QMessageBox caja(QMessageBox::Warning, titulo, introduccion + "\n" + QString::fromUtf8(e.what()),
                             QMessageBox::NoButton, padre);
            QPushButton* reintentar = caja.addButton("Reintentar", QMessageBox::AcceptRole);
            caja.addButton("Cerrar sin guardar", QMessageBox::DestructiveRole);
            caja.setDefaultButton(reintentar);
            caja.exec();
            if (caja.clickedButton() != reintentar) return false;
        }
    }
}

}  // namespace numbrix
