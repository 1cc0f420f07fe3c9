#pragma once
// A plain painted area that tells when the pointer enters or leaves it.
// Owners draw through OnPaint (or by deriving and painting themselves).
#include <QPainter>
#include <QWidget>
#include <functional>

namespace numbrix {

class TArea : public QWidget {
    Q_OBJECT
public:
    explicit TArea(QWidget* padre = nullptr);

    // Whether the pointer is over the area (read it in OnMouseOver).
    bool MouseInArea() const { return dentro_; }

    // Called on every repaint with a painter on the area.
    std::function<void(QPainter&)> OnPaint;

signals:
    // The pointer entered or left the area.
    void OnMouseOver();

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    // Runs OnPaint, if any, on `p`.
    void PintarUsuario(QPainter& p);

private:
    bool dentro_ = false;
};

}  // namespace numbrix
