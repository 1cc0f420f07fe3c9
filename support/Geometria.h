#pragma once
// Integer points and rectangles for the Qt-free drawing helpers. A rectangle
// holds its edges; Right and Bottom lie just outside it, so the size is the
// difference of the edges.
namespace numbrix {

struct TPuntoI {
    int X = 0;
    int Y = 0;
    bool operator==(const TPuntoI&) const = default;
};

struct TRectI {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Ancho() const { return Right - Left; }
    int Alto() const { return Bottom - Top; }
    bool Vacio() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TRectI&) const = default;
};

}  // namespace numbrix
