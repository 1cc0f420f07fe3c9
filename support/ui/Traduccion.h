#pragma once
// Qt's own dialogs and buttons in Spanish ("Sí", "Cancelar", "Buscar en:"),
// whatever the user's locale, as the program's own texts are.
class QCoreApplication;
class QFileDialog;

namespace numbrix {

// Installs Qt's Spanish translation (qtbase_es from Qt's translations folder)
// once per application, and has every standard dialog (files, colours) be
// Qt's own, which that translation covers, rather than the desktop's native
// one, which follows the desktop's language. False when the translation file
// is missing (the dialogs then stay in English).
// Dates and Qt's locale-aware controls follow Spanish too (numbers the
// program writes never go through Qt's locale).
bool TraducirDialogosQt(QCoreApplication& app);

// A file dialog's "Tipo" column in Spanish ("Carpeta", "Archivo PNG"): the
// translation leaves those texts in English.
void TiposEnEspanol(QFileDialog& dialogo);

}  // namespace numbrix
