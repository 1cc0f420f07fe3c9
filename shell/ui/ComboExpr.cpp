#include "shell/ui/ComboExpr.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "shell/Historial.h"

namespace numbrix {

QChar AtajoOperador(TablaAtajos tabla, QChar anterior, QChar tecla) {
    for (const AtajoTeclas& a : tabla)
        if (anterior == QLatin1Char(a.anterior) && tecla == QLatin1Char(a.tecla)) return QLatin1Char(a.queda);
    return QChar();
}

bool PuedeCompletarEn(const QString& texto, int cursor) {
    if (cursor > 0 && texto[cursor - 1].isLetter()) return false;
    if (cursor < texto.size() && texto[cursor].isLetter()) return false;
    const QString antes = texto.left(cursor);
    return antes.count('{') <= antes.count('}');
}

const std::vector<GrupoInsertar>& GruposInsertar() {
    static const std::vector<GrupoInsertar> grupos = {
        {"&Logaritmos y potencias", {"Ln", "Log", "LogN", "Rcp", "Exp", "Exp10", "Cuad", "Raiz"}},
        {"&Trigonométricas", {"Sen", "Cos", "Tg", "SenH", "CosH", "TgH"}},
        {"Trigonométricas &inversas", {"ArcSen", "ArCos", "ArcTg", "ArcSenH", "ArCosH", "ArcTgH"}},
        {"&Varias", {"Abs", "Rnd", "Ang", "Ent", "Rd", "Frac", "GMS", "GMSRad", "RadGMS", "Hipot", "Max", "Min",
                     "Prom", "Suma", "Resto", "Poli", "Si", "Sim", "Ahora"}},
        {"C&álculo", {"Integrar", "Sumatoria", "Producto", "Det", "Resolver", "Evaluar", "Derivar"}},
        {"C&ombinatoria", {"Fact", "Prm", "Var", "Cmb", "PrmR", "VarR", "CmbR"}},
        {"&Distribuciones", {"DBinom", "DBinomA", "DBinomNeg", "DBinomNegA", "DHpGeom", "DHpGeomA", "DPoisson",
                             "DPoissonA", "DNormal", "DNormalA", "DNormStd", "DNormStdA"}},
    };
    return grupos;
}

TComboExpr::TComboExpr(QWidget* padre) : QComboBox(padre) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(20);
    // The box adds to its history itself: Qt's completer would fill the
    // text with older entries as the user types.
    setCompleter(nullptr);
    connect(&TfmAutoComp::Instancia(), &TfmAutoComp::Descartada, this, [this](QLineEdit* caja) {
        if (caja == lineEdit()) suprimido_ = true;
    });
}

QString TComboExpr::Texto() const { return currentText(); }

void TComboExpr::SetTexto(const QString& t) {
    lineEdit()->setText(t);
    lineEdit()->setCursorPosition(static_cast<int>(t.size()));
}

void TComboExpr::Insertar(const QString& texto) {
    QLineEdit* e = lineEdit();
    const int desde = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
    e->insert(texto);
    const int p = static_cast<int>(texto.indexOf('('));
    if (p >= 0) e->setCursorPosition(desde + p + 1);
    e->setFocus();
}

void TComboExpr::CargarHistoria() {
    if (FileName.empty()) return;
    THistorial h(kMaxHistoria);
    h.Cargar(FileName);
    PonerHistoria(h.Entradas());
}

void TComboExpr::GuardarHistoria() const {
    if (FileName.empty()) return;
    THistorial h(kMaxHistoria);
    for (int i = count() - 1; i >= 0; --i) {
        // Agregar keeps the newest first: add from the oldest.
        const std::string t = itemText(i).toStdString();
        if (h.Indice(t) < 0) h.Agregar(t);
    }
    h.Guardar(FileName);
}

void TComboExpr::AgregarHistoria(const QString& texto) {
    if (texto.isEmpty()) return;
    const QString actual = currentText();
    if (!Duplicados) {
        const int i = findText(texto, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (i >= 0) removeItem(i);
    }
    insertItem(0, texto);
    while (count() > kMaxHistoria) removeItem(count() - 1);
    setCurrentIndex(0);
    lineEdit()->setText(actual);
}

void TComboExpr::PonerHistoria(const std::vector<std::string>& entradas) {
    const QString actual = currentText();
    const int cursor = lineEdit()->cursorPosition();
    blockSignals(true);
    clear();
    for (const auto& e : entradas) addItem(QString::fromStdString(e));
    blockSignals(false);
    lineEdit()->setText(actual);
    lineEdit()->setCursorPosition(cursor);
}

void TComboExpr::PonerFuente(TfmAutoComp::Fuente fuente, TfmAutoComp::Fuente relleno) {
    fuente_ = std::move(fuente);
    relleno_ = std::move(relleno);
}

void TComboExpr::AbrirCompletado() {
    suprimido_ = false;
    if (!fuente_) return;
    TfmAutoComp::Instancia().Completar(lineEdit(), fuente_, QString(), relleno_);
}

bool TComboExpr::DebeCompletar() const {
    return fuente_ && !suprimido_ && (!SegunAjuste || EstadoCompletado::Activo);
}

bool TComboExpr::Atajo(const QString& tecla) {
    if (tecla.size() != 1) return false;
    QLineEdit* e = lineEdit();
    if (e->hasSelectedText()) return false;
    const int c = e->cursorPosition();
    if (c < 1) return false;
    QString t = e->text();
    const QChar nuevo = AtajoOperador(Atajos, t[c - 1], tecla[0]);
    if (nuevo.isNull()) return false;
    t[c - 1] = nuevo;
    e->setText(t);
    e->setCursorPosition(c);
    return true;
}

void TComboExpr::keyPressEvent(QKeyEvent* e) {
    const int k = e->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        suprimido_ = false;
        if (Autoagregar) AgregarHistoria(currentText());
        emit Intro();
        e->accept();
        return;
    }
    if (k == Qt::Key_Escape) {
        suprimido_ = true;
        QComboBox::keyPressEvent(e);
        return;
    }
    if (k == Qt::Key_F2) {
        AbrirCompletado();
        e->accept();
        return;
    }
    if (currentText().isEmpty()) suprimido_ = false;
    const QString texto = e->text();
    if (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && Atajo(texto)) {
        e->accept();
        return;
    }
    const bool letra = texto.size() == 1 && texto[0].isLetter() &&
                       !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (letra && DebeCompletar()) {
        QLineEdit* ed = lineEdit();
        const int desde = ed->hasSelectedText() ? ed->selectionStart() : ed->cursorPosition();
        QString sin = ed->text();
        if (ed->hasSelectedText()) sin.remove(desde, ed->selectedText().size());
        if (PuedeCompletarEn(sin, desde)) {
            TfmAutoComp::Instancia().Completar(ed, fuente_, texto, relleno_);
            e->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(e);
}

}  // namespace numbrix
