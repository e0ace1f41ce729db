#include "app/gui/title_window.h"

#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <QVBoxLayout>

#include "app/shell/project_session.h"

namespace korvex {

namespace {

// Refuses any input that would put a line break into the title (typed or pasted).
class SingleLineValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return input.contains(QLatin1Char('\n')) || input.contains(QLatin1Char('\r')) ? Invalid : Acceptable;
  }
};

}  // namespace

TdlgTitle::TdlgTitle(ProjectSession& session, QWidget* parent) : TDataWindow(session, parent) {
  setWindowTitle(QStringLiteral("Project Title"));
  auto* label = new QLabel(QStringLiteral("Enter text line for project description:"), this);
  m_titleMemo = new QLineEdit(this);
  m_titleMemo->setObjectName(QStringLiteral("TitleMemo"));
  m_titleMemo->setMaxLength(kMaxTitleLength);
  m_titleMemo->setValidator(new SingleLineValidator(m_titleMemo));
  // Wide enough for a whole title.
  m_titleMemo->setMinimumWidth(m_titleMemo->fontMetrics().averageCharWidth() * (kMaxTitleLength + 4));
  label->setBuddy(m_titleMemo);
  connect(m_titleMemo, &QLineEdit::textEdited, this, [this] { m_edited = true; });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(m_titleMemo);
  layout->addStretch();
}

void TdlgTitle::loadFromProject() {
  // A longer title read from a file is shown whole: the limit only stops typing beyond it.
  const QString title = QString::fromStdString(m_session.project().Title);
  m_titleMemo->setMaxLength(std::max<int>(kMaxTitleLength, static_cast<int>(title.size())));
  m_titleMemo->setText(title);
  m_edited = false;
}

bool TdlgTitle::commitToProject() {
  if (!m_edited) return true;
  m_edited = false;
  const std::string text = m_titleMemo->text().toStdString();
  if (text != m_session.project().Title) {
    m_session.project().Title = text;
    m_session.markModified();
  }
  return true;
}

}  // namespace korvex
