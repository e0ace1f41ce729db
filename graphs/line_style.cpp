#include "graphs/line_style.h"

#include <array>
#include <cmath>
#include <numbers>

namespace korvex {

namespace {

constexpr std::array<LineColour, kLineColourCount> kColours = {{
    {0, 0, 0},     {0, 0, 255},     {255, 0, 0},   {0, 128, 0},     {128, 0, 128},   {128, 0, 0},
    {0, 0, 128},   {255, 0, 255},   {128, 128, 0}, {0, 128, 128},   {128, 128, 128}, {0, 255, 0},
    {128, 128, 128}, {192, 192, 192}, {192, 192, 192}, {255, 255, 0}, {0, 255, 255},
}};

TFloatPoint onCircle(double degrees) {
  const double radians = degrees * std::numbers::pi / 180;
  return {std::cos(radians), std::sin(radians)};
}

}  // namespace

LineColour lineColour(int index) {
  const int at = ((index % kLineColourCount) + kLineColourCount) % kLineColourCount;
  return kColours[static_cast<std::size_t>(at)];
}

int markerKind(int index) {
  const int k = index + 1;
  const int kind = k % 10;
  return kind == 0 ? 10 : kind;
}

std::vector<TFloatPoint> markerVertices(int index) {
  const int kind = markerKind(index);
  if (kind == 1) return {onCircle(180), onCircle(300), onCircle(60)};
  if (kind == 2) return {onCircle(45), onCircle(135), onCircle(225), onCircle(315)};
  std::vector<TFloatPoint> vertices;
  for (int v = 0; v < kind; ++v) vertices.push_back(onCircle(360.0 * v / kind));
  return vertices;
}

}  // namespace korvex
