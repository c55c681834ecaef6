#pragma once
// Page "运行界面" of 选择夹2: the path box 编辑框_文件名 and the inner tab
// control 选择夹1 with the seven operation pages.

#include <QPlainTextEdit>
#include <vector>

#include "mirelant/app/operation_pages.h"
#include "mirelant/app/tab_control.h"

namespace mirelant::app {

class RunPage : public TabPage {
  Q_OBJECT

 public:
  explicit RunPage(QWidget* parent = nullptr);

  QPlainTextEdit* path_box() const { return path_box_; }
  TabControl* operations() const { return operations_; }
  // The seven operation pages in tab order.
  const std::vector<OperationPage*>& pages() const { return pages_; }

  SplitPage* split_page() const { return split_; }
  ExtractPage* extract_page() const { return extract_; }
  ReplacePage* replace_page() const { return replace_; }
  GeneratePage* generate_page() const { return generate_; }

 private:
  QPlainTextEdit* path_box_;
  TabControl* operations_;
  std::vector<OperationPage*> pages_;
  SplitPage* split_;
  ExtractPage* extract_;
  ReplacePage* replace_;
  GeneratePage* generate_;
};

}  // namespace mirelant::app
