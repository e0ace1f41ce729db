#include "app/gui/about_box.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/gui/icons.h"

namespace korvex {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About %1").arg(QLatin1String(kProgramName)));
  setModal(true);

  auto* picture = new QLabel(this);
  picture->setPixmap(toolIconImage(ToolIcon::WallConfiguration, 2));
  picture->setAlignment(Qt::AlignTop);

  auto* name = new QLabel(QLatin1String(kProgramName), this);
  QFont nameFont = name->font();
  nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
  nameFont.setBold(true);
  name->setFont(nameFont);
  auto* version = new QLabel(QStringLiteral("Version %1").arg(QLatin1String(kProgramVersion)), this);
  auto* purpose = new QLabel(QStringLiteral("A program for the analysis of flexible retaining structures"), this);
  auto* description = new QLabel(
      QStringLiteral("Sheet-pile and soldier-pile walls, cantilevered or tied back, analysed as a beam-column "
                     "on nonlinear soil springs (p-y curves) under earth pressure, water and surcharge loads."),
      this);
  description->setWordWrap(true);

  auto* text = new QVBoxLayout;
  text->addWidget(name);
  text->addWidget(version);
  text->addSpacing(8);
  text->addWidget(purpose);
  text->addWidget(description);

  auto* body = new QHBoxLayout;
  body->addWidget(picture);
  body->addLayout(text, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  description->setFixedWidth(description->fontMetrics().averageCharWidth() * 52);
}

}  // namespace korvex
