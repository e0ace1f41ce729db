// "Wall Configuration" (TdlgCSD): the free height, the widths for earth pressure and for soil
// resistance, the two water tables, the factor on the generated active pressure, the backfill
// slope and the uniform load on the backfill; with a picture of the wall in section and one in
// plan that show what each value measures.
#pragma once

#include "app/gui/data_window.h"
#include "app/gui/numeric_fields.h"

namespace korvex {

class TdlgCSD : public TDataWindow {
  Q_OBJECT

 public:
  explicit TdlgCSD(ProjectSession& session, QWidget* parent = nullptr);

  // The entries show the project's values; in English units the free height and the water
  // depths in feet and the uniform load in lb/ft^2 (the project holds inches and lb/in^2).
  void loadFromProject() override;
  // Stores the edited entries with the conversions back.
  bool commitToProject() override;

 private:
  NumericFields m_fields;
};

}  // namespace korvex
