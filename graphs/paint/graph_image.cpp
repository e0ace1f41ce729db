#include "graphs/paint/graph_image.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

#include "graphs/paint/graph_painter.h"

namespace korvex {

namespace {

constexpr double kMetresPerInch = 0.0254;

std::string lowerExtension(const std::filesystem::path& name) {
  std::string extension = name.extension().string();
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return extension;
}

std::string drawBitmap(QSaveFile& file, const char* format, const ImageSize& size, const PictureDrawing& draw) {
  QImage image(size.width, size.height, QImage::Format_RGB32);
  if (image.isNull()) return kNotEnoughMemory;
  const int dotsPerMetre = static_cast<int>(std::lround(size.pixelsPerInch / kMetresPerInch));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    draw(painter, image.rect());
  }
  if (!image.save(&file, format)) return "the picture could not be written to " + file.fileName().toStdString();
  return "";
}

std::string drawVector(QSaveFile& file, ImageFormat format, const ImageSize& size, const std::string& title,
                       const PictureDrawing& draw) {
  if (format == ImageFormat::Svg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(size.width, size.height));
    svg.setViewBox(QRect(0, 0, size.width, size.height));
    svg.setResolution(size.pixelsPerInch);
    svg.setTitle(QString::fromStdString(title));
    QPainter painter;
    if (!painter.begin(&svg)) return "the picture could not be started";
    painter.fillRect(QRect(0, 0, size.width, size.height), Qt::white);
    draw(painter, QRect(0, 0, size.width, size.height));
    painter.end();
    return "";
  }
  QPdfWriter pdf(&file);
  pdf.setResolution(size.pixelsPerInch);
  pdf.setPageSize(QPageSize(QSizeF(static_cast<double>(size.width) / size.pixelsPerInch,
                                   static_cast<double>(size.height) / size.pixelsPerInch),
                            QPageSize::Inch));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setTitle(QString::fromStdString(title));
  QPainter painter;
  if (!painter.begin(&pdf)) return "the picture could not be started";
  draw(painter, QRect(0, 0, pdf.width(), pdf.height()));
  painter.end();
  return "";
}

}  // namespace

std::optional<ImageFormat> imageFormatOfName(const std::filesystem::path& name) {
  const std::string extension = lowerExtension(name);
  if (extension == ".bmp") return ImageFormat::Bmp;
  if (extension == ".png") return ImageFormat::Png;
  if (extension == ".svg") return ImageFormat::Svg;
  if (extension == ".pdf") return ImageFormat::Pdf;
  return std::nullopt;
}

const char* imageExtension(ImageFormat format) {
  switch (format) {
    case ImageFormat::Bmp: return "bmp";
    case ImageFormat::Png: return "png";
    case ImageFormat::Svg: return "svg";
    case ImageFormat::Pdf: return "pdf";
  }
  return "png";
}

std::string writePicture(const std::filesystem::path& path, ImageFormat format, const ImageSize& size,
                         const std::string& title, const PictureDrawing& draw) {
  if (size.width < 1 || size.height < 1 || size.pixelsPerInch < 1) return "the picture has no size";
  QSaveFile file(QString::fromStdString(path.string()));
  if (!file.open(QIODevice::WriteOnly))
    return "cannot write " + path.string() + ": " + file.errorString().toStdString();
  std::string problem;
  if (format == ImageFormat::Bmp || format == ImageFormat::Png)
    problem = drawBitmap(file, format == ImageFormat::Bmp ? "BMP" : "PNG", size, draw);
  else
    problem = drawVector(file, format, size, title, draw);
  if (!problem.empty()) {
    file.cancelWriting();
    return problem;
  }
  if (!file.commit()) return "cannot write " + path.string() + ": " + file.errorString().toStdString();
  return "";
}

std::string writeGraphImage(const TGraphPlot& graph, const std::filesystem::path& path, ImageFormat format,
                            const ImageSize& size, const GraphView& view) {
  return writePicture(path, format, size, graph.Caption,
                      [&](QPainter& painter, const QRect& rect) { drawGraph(painter, rect, graph, view); });
}

}  // namespace korvex
