#pragma once
// The seven pages of 选择夹1. Every page has a group box "功能说明" with the
// page's explanation and its start button at 542,107; the pages of split,
// extract, replace and generate add the controls their operation reads.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRect>
#include <QSize>

#include "mirelant/app/integer_edit.h"
#include "mirelant/app/mode_check_box.h"
#include "mirelant/app/tab_control.h"
#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"

namespace mirelant::app {

// What tells one operation page from another.
struct OperationPageInfo {
  ops::Operation operation;
  const char* title;
  const char* button_name;
  const char* button_caption;
  const char* group_name;
  QRect group_rect;
  const char* label_name;
  QSize label_size;  // the label sits at 11,16 in the group box
  const char* explanation;
};

extern const OperationPageInfo kDedupPageInfo;
extern const OperationPageInfo kShufflePageInfo;
extern const OperationPageInfo kSplitPageInfo;
extern const OperationPageInfo kMergePageInfo;
extern const OperationPageInfo kExtractPageInfo;
extern const OperationPageInfo kReplacePageInfo;
extern const OperationPageInfo kGeneratePageInfo;

class OperationPage : public TabPage {
  Q_OBJECT

 public:
  explicit OperationPage(const OperationPageInfo& info, QWidget* parent = nullptr);

  ops::Operation operation() const { return info_.operation; }
  QString title() const { return QString::fromUtf8(info_.title); }
  // Created disabled; start-up enables it.
  QPushButton* start_button() const { return start_button_; }

 signals:
  void StartRequested(mirelant::ops::Operation op);

 private:
  const OperationPageInfo& info_;
  QPushButton* start_button_;
};

class SplitPage : public OperationPage {
  Q_OBJECT

 public:
  explicit SplitPage(QWidget* parent = nullptr);
  IntegerEdit* part_count() const { return part_count_; }

 private:
  IntegerEdit* part_count_;
};

class ExtractPage : public OperationPage {
  Q_OBJECT

 public:
  explicit ExtractPage(QWidget* parent = nullptr);
  ModeCheckBox* mode_box(ops::ModeBox box) const;
  // 编辑框1 to 编辑框4 by their number.
  QLineEdit* mark(int number) const;

 private:
  // A left-button press on an unchecked box clears the other two.
  void ClearOtherModes(ModeCheckBox* pressed);

  ModeCheckBox* modes_[3];
  QLineEdit* marks_[4];
};

class ReplacePage : public OperationPage {
  Q_OBJECT

 public:
  explicit ReplacePage(QWidget* parent = nullptr);
  QPlainTextEdit* rules() const { return rules_; }

 private:
  QPlainTextEdit* rules_;
};

class GeneratePage : public OperationPage {
  Q_OBJECT

 public:
  explicit GeneratePage(QWidget* parent = nullptr);
  QLineEdit* rule() const { return rule_; }
  IntegerEdit* count() const { return count_; }

  // Puts placeholder at the caret of the rule box, replacing its selection.
  // The clipboard is not involved.
  void InsertPlaceholder(const QString& placeholder);

 private:
  QLineEdit* rule_;
  IntegerEdit* count_;
};

}  // namespace mirelant::app
