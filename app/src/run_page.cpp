#include "mirelant/app/run_page.h"

#include "mirelant/app/controls.h"
#include "mirelant/app/window_texts.h"
#include "mirelant/ops/settings.h"

namespace mirelant::app {

RunPage::RunPage(QWidget* parent)
    : TabPage(parent),
      path_box_(Place(MakeTextBox(QStringLiteral("编辑框_文件名")), QRect(70, 55, 546, 48))),
      operations_(Place(new TabControl(QStringLiteral("选择夹1")), QRect(0, 137, 632, 217))),
      split_(new SplitPage),
      extract_(new ExtractPage),
      replace_(new ReplacePage),
      generate_(new GeneratePage) {
  Place(MakeRowLabel(QStringLiteral("透明标签1"), QString::fromUtf8(texts::kPathLabel)),
        QRect(6, 56, 56, 16));
  path_box_->setPlainText(QString::fromUtf8(ops::texts::kPathHint.data(),
                                            static_cast<qsizetype>(ops::texts::kPathHint.size())));
  pages_ = {new OperationPage(kDedupPageInfo),
            new OperationPage(kShufflePageInfo),
            split_,
            new OperationPage(kMergePageInfo),
            extract_,
            replace_,
            generate_};
  for (OperationPage* page : pages_) operations_->AddPage(page, page->title());
}

}  // namespace mirelant::app
