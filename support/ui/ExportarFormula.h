#pragma once
// A formula picture written as SVG, PNG or JPEG (libjpeg, quality 80), or
// copied to the clipboard as an image and as SVG. Every file is written
// atomically; a failure is returned as "No se pudo exportar la imagen" and
// its reason, never by ending the program.
#include <QByteArray>
#include <QImage>
#include <filesystem>
#include <string>

#include "support/LienzoGrabado.h"

namespace numbrix {

enum class FormatoImagen { Desconocido, Svg, Png, Jpeg };

// By the file's extension, ignoring case: .svg, .png, .jpg, .jpeg.
FormatoImagen FormatoPorExtension(const std::filesystem::path& ruta);

inline constexpr int kCalidadJpeg = 80;
// Largest raster side and pixel count exported; bigger scales are reduced.
inline constexpr int kLadoMaximoImagen = 16000;
inline constexpr long long kPixelesMaximos = 50'000'000;

// The scale actually used for a raster of the picture at `escala`.
double EscalaRaster(const LienzoGrabado& dibujo, double escala);
// The picture on a white background, scaled (capped as above).
QImage ImagenFormula(const LienzoGrabado& dibujo, double escala);
// SVG document: view box of the picture's size times the scale.
QByteArray SvgFormula(const LienzoGrabado& dibujo, double escala);
// JPEG bytes through libjpeg; false with the reason in `error` when libjpeg
// refuses (its errors never end the process).
bool CodificarJpeg(const QImage& imagen, int calidad, QByteArray& salida, std::string& error);

// Writes the picture in the format of the file's extension. `dibujo` null
// (no tree): nothing is written and `error` says so.
bool ExportarFormula(const LienzoGrabado* dibujo, const std::filesystem::path& ruta, double escala,
                     std::string& error);

// The clipboard gets the picture as an image and as "image/svg+xml".
void CopiarFormula(const LienzoGrabado& dibujo, double escala);

}  // namespace numbrix
