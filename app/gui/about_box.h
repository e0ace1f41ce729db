// TAboutBox: the modal box of the Help menu's "About..." with the program's name, version and
// purpose.
#pragma once

#include <QDialog>

namespace korvex {

inline constexpr const char* kProgramName = "KORVEX 2015";
inline constexpr const char* kProgramVersion = "2015.5.11";

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace korvex
