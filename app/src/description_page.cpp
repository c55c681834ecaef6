#include "mirelant/app/description_page.h"

#include "mirelant/app/controls.h"

namespace mirelant::app {

DescriptionPage::DescriptionPage(QWidget* parent)
    : TabPage(parent),
      box_(Place(MakeTextBox(QStringLiteral("编辑框10")), QRect(5, 26, 619, 360))) {
  // The description is there to be read; nothing typed into it would be used.
  box_->setReadOnly(true);
}

void DescriptionPage::SetDescription(const QString& text) { box_->setPlainText(text); }

}  // namespace mirelant::app
