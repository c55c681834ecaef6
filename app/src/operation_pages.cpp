#include "mirelant/app/operation_pages.h"

#include "mirelant/app/controls.h"
#include "mirelant/app/window_texts.h"
#include "mirelant/ops/settings.h"
#include "mirelant/text/lines.h"

namespace mirelant::app {

using ops::Operation;

const OperationPageInfo kDedupPageInfo = {Operation::kRemoveDuplicates,
                                          texts::kDedupTab,
                                          "按钮_去除重复",
                                          texts::kDedupButton,
                                          "分组框1",
                                          QRect(8, 32, 616, 72),
                                          "透明标签3",
                                          QSize(581, 33),
                                          texts::kDedupExplanation};
const OperationPageInfo kShufflePageInfo = {
    Operation::kShuffle,   texts::kShuffleTab, "按钮_打乱顺序",
    texts::kShuffleButton, "分组框2",          QRect(8, 32, 616, 72),
    "透明标签4",           QSize(389, 33),     texts::kShuffleExplanation};
const OperationPageInfo kSplitPageInfo = {
    Operation::kSplit,     texts::kSplitTab, "按钮_分割文本", texts::kSplitButton,     "分组框3",
    QRect(8, 32, 616, 72), "透明标签5",      QSize(389, 39),  texts::kSplitExplanation};
const OperationPageInfo kMergePageInfo = {
    Operation::kMerge,     texts::kMergeTab, "按钮_合并文本", texts::kMergeButton,     "分组框4",
    QRect(8, 33, 616, 72), "透明标签7",      QSize(597, 33),  texts::kMergeExplanation};
const OperationPageInfo kExtractPageInfo = {
    Operation::kExtract,   texts::kExtractTab, "按钮_提取文本",
    texts::kExtractButton, "分组框5",          QRect(8, 33, 616, 72),
    "透明标签8",           QSize(589, 33),     texts::kExtractExplanation};
const OperationPageInfo kReplacePageInfo = {
    Operation::kReplace,   texts::kReplaceTab, "按钮_替换文本",
    texts::kReplaceButton, "分组框6",          QRect(8, 33, 616, 72),
    "透明标签9",           QSize(389, 33),     texts::kReplaceExplanation};
const OperationPageInfo kGeneratePageInfo = {
    Operation::kGenerate,   texts::kGenerateTab, "按钮_生成文本",
    texts::kGenerateButton, "分组框8",           QRect(8, 33, 616, 72),
    "透明标签10",           QSize(597, 48),      texts::kGenerateExplanation};

namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

}  // namespace

OperationPage::OperationPage(const OperationPageInfo& info, QWidget* parent)
    : TabPage(parent), info_(info) {
  QGroupBox* group =
      Place(MakeGroupBox(Utf8(info.group_name), Utf8(texts::kExplanationGroup)), info.group_rect);
  QLabel* label = MakeExplanationLabel(Utf8(info.label_name), Utf8(info.explanation));
  label->setParent(group);
  label->setGeometry(QRect(QPoint(11, 16), info.label_size));

  start_button_ =
      Place(MakeButton(Utf8(info.button_name), Utf8(info.button_caption)), QRect(542, 107, 80, 32));
  start_button_->setEnabled(false);
  connect(start_button_, &QPushButton::clicked, this,
          [this] { emit StartRequested(info_.operation); });
}

SplitPage::SplitPage(QWidget* parent) : OperationPage(kSplitPageInfo, parent) {
  Place(MakeRowLabel(QStringLiteral("透明标签6"), Utf8(texts::kPartCountLabel)),
        QRect(310, 107, 56, 32));
  part_count_ = Place(new IntegerEdit(QStringLiteral("编辑框_分割份数")), QRect(374, 107, 48, 32));
}

ExtractPage::ExtractPage(QWidget* parent) : OperationPage(kExtractPageInfo, parent) {
  struct Row {
    const char* box;
    const char* label;
    const char* label_text;
    int label_width;
    int y;
  };
  const Row rows[3] = {{"选择框1", "标签4", texts::kRow1Label, 38, 112},
                       {"选择框2", "标签5", texts::kRow2Label, 40, 144},
                       {"选择框3", "标签6", texts::kRow3Label, 40, 176}};
  for (int i = 0; i < 3; ++i) {
    modes_[i] = Place(new ModeCheckBox(Utf8(rows[i].box)), QRect(9, rows[i].y, 16, 24));
    Place(MakeRowLabel(Utf8(rows[i].label), Utf8(rows[i].label_text)),
          QRect(24, rows[i].y, rows[i].label_width, 24));
    connect(modes_[i], &ModeCheckBox::PressedWhileUnchecked, this, &ExtractPage::ClearOtherModes);
  }
  marks_[0] = Place(MakeLineEdit(QStringLiteral("编辑框1")), QRect(64, 112, 50, 24));
  Place(MakeRowLabel(QStringLiteral("标签1"), Utf8(texts::kDash)), QRect(122, 112, 5, 24));
  marks_[1] = Place(MakeLineEdit(QStringLiteral("编辑框2")), QRect(138, 112, 50, 24));
  Place(MakeRowLabel(QStringLiteral("标签2"), Utf8(texts::kBetween)), QRect(195, 112, 24, 24));
  marks_[2] = Place(MakeLineEdit(QStringLiteral("编辑框3")), QRect(64, 144, 50, 24));
  Place(MakeRowLabel(QStringLiteral("标签3"), Utf8(texts::kLeftOf)), QRect(124, 144, 24, 24));
  marks_[3] = Place(MakeLineEdit(QStringLiteral("编辑框4")), QRect(64, 176, 50, 24));
  Place(MakeRowLabel(QStringLiteral("标签7"), Utf8(texts::kRightOf)), QRect(124, 176, 24, 24));
}

ModeCheckBox* ExtractPage::mode_box(ops::ModeBox box) const {
  return modes_[static_cast<int>(box) - 1];
}

QLineEdit* ExtractPage::mark(int number) const { return marks_[number - 1]; }

void ExtractPage::ClearOtherModes(ModeCheckBox* pressed) {
  for (ModeCheckBox* box : modes_) {
    if (box != pressed) box->setChecked(false);
  }
}

ReplacePage::ReplacePage(QWidget* parent) : OperationPage(kReplacePageInfo, parent) {
  QGroupBox* group = Place(MakeGroupBox(QStringLiteral("分组框7"), Utf8(texts::kRulesGroup)),
                           QRect(8, 113, 384, 96));
  rules_ = MakeTextBox(QStringLiteral("编辑框5"));
  rules_->setParent(group);
  rules_->setGeometry(10, 16, 360, 72);
}

GeneratePage::GeneratePage(QWidget* parent) : OperationPage(kGeneratePageInfo, parent) {
  struct Insert {
    const char* name;
    const char* caption;
    int x;
    int settings_line;  // the placeholder's line in the operation settings
  };
  const Insert inserts[3] = {{"按钮1", texts::kInsertDigit, 16, 4},
                             {"按钮2", texts::kInsertLetter, 124, 5},
                             {"按钮3", texts::kInsertChinese, 232, 6}};
  for (const Insert& insert : inserts) {
    QPushButton* button =
        Place(MakeButton(Utf8(insert.name), Utf8(insert.caption)), QRect(insert.x, 109, 96, 24));
    // The rule box keeps the focus, and with it its selection, when one of
    // these is clicked, so the placeholder replaces what was selected.
    button->setFocusPolicy(Qt::NoFocus);
    const QString placeholder =
        QString::fromStdString(LineOfText(ops::kOperationSettings, insert.settings_line));
    connect(button, &QPushButton::clicked, this,
            [this, placeholder] { InsertPlaceholder(placeholder); });
  }
  Place(MakeRowLabel(QStringLiteral("标签8"), Utf8(texts::kRuleLabel)), QRect(8, 145, 48, 20));
  rule_ = Place(MakeLineEdit(QStringLiteral("编辑框6")), QRect(74, 145, 160, 20));
  Place(MakeRowLabel(QStringLiteral("标签9"), Utf8(texts::kCountLabel)), QRect(8, 177, 56, 24));
  count_ = Place(new IntegerEdit(QStringLiteral("编辑框7")), QRect(74, 177, 54, 20));
}

void GeneratePage::InsertPlaceholder(const QString& placeholder) { rule_->insert(placeholder); }

}  // namespace mirelant::app
