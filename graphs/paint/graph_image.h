// A result graph written as an image file: BMP or PNG at a size in pixels and a resolution in
// pixels per inch, SVG, or PDF on a page of the picture's size. The file is written under a
// temporary name and takes its name only when it is complete, so a failed write never
// destroys an earlier file of that name.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "graphs/graph_plot.h"
#include "graphs/paint/graph_layout.h"

class QPainter;
class QRect;

namespace korvex {

enum class ImageFormat { Bmp, Png, Svg, Pdf };

// The format a file name's extension names (any letter case), if any.
std::optional<ImageFormat> imageFormatOfName(const std::filesystem::path& name);
// "bmp", "png", "svg" or "pdf".
const char* imageExtension(ImageFormat format);

struct ImageSize {
  int width = 432;  // pixels
  int height = 288;
  int pixelsPerInch = 72;
};

inline constexpr const char* kNotEnoughMemory = "There is not enough memory to complete this task.";

// Draws a picture into the painter's `rect`, on a white background laid down before it.
using PictureDrawing = std::function<void(QPainter& painter, const QRect& rect)>;

// Draws with `draw` into a picture of `size` titled `title` and writes it to `path`; returns ""
// when written, otherwise why not (kNotEnoughMemory when the bitmap cannot be had, else the
// file's error).
std::string writePicture(const std::filesystem::path& path, ImageFormat format, const ImageSize& size,
                         const std::string& title, const PictureDrawing& draw);

// writePicture with the drawing of `graph`, titled with its caption.
std::string writeGraphImage(const TGraphPlot& graph, const std::filesystem::path& path, ImageFormat format,
                            const ImageSize& size, const GraphView& view = {});

}  // namespace korvex
