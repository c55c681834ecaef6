// The window's layout, texts and controls, driven offscreen.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <memory>
#include <ostream>

#include "gui_scripted_dialogs.h"
#include "mirelant/app/integer_edit.h"
#include "mirelant/app/main_window.h"
#include "mirelant/app/skin.h"
#include "mirelant/app/window_texts.h"
#include "mirelant/ops/settings.h"

// Readable places in failure messages.
inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace mirelant::app {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(dialogs_, CreateTextBrowser);
    window_->OnMainWindowCreated();
    window_->show();
    QCoreApplication::processEvents();
  }

  template <typename W = QWidget>
  W* Find(const char* name) {
    W* widget = window_->findChild<W*>(U(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Selects, from the outside in, every tab page that holds widget.
  void Reveal(QWidget* widget) {
    std::vector<std::pair<QTabWidget*, QWidget*>> chain;
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
      auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
      if (stack == nullptr) continue;
      if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
        chain.emplace_back(tabs, w);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
      it->first->setCurrentWidget(it->second);
    QCoreApplication::processEvents();
  }

  test::ScriptedDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(WindowTest, CaptionPlaceAndTabs) {
  EXPECT_EQ(window_->windowTitle(), U("MirelantV1.3"));
  EXPECT_EQ(window_->frameGeometry(), QRect(50, 50, 645, 492));  // offscreen: no frame

  auto* top = Find<QTabWidget>("选择夹2");
  ASSERT_EQ(top->count(), 3);
  EXPECT_EQ(top->tabText(0), U("运行界面"));
  EXPECT_EQ(top->tabText(1), U("软件说明"));
  EXPECT_EQ(top->tabText(2), U("视频教程"));

  auto* inner = Find<QTabWidget>("选择夹1");
  const char* titles[] = {"去除重复", "打乱顺序", "分割文本", "文本合并",
                          "提取文本", "文本替换", "文本生成"};
  ASSERT_EQ(inner->count(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(inner->tabText(i), U(titles[i])) << i;
}

// Places are measured from the container: the window's client area, a tab
// control's own top-left corner, or a group box.
TEST_F(WindowTest, ControlsSitAtTheirPlacesWithTheirTexts) {
  struct Case {
    const char* name;
    const char* container;  // nullptr: the window
    QRect rect;
    const char* text;  // nullptr: not checked here
  };
  const Case cases[] = {
      {"选择夹2", nullptr, {0, 22, 640, 394}, nullptr},
      {"状态条1", nullptr, {0, 441, 334, 20}, nullptr},
      {"编辑框8", nullptr, {656, 128, 208, 104}, nullptr},
      {"透明标签1", "选择夹2", {6, 56, 56, 16}, "文件路径："},
      {"编辑框_文件名", "选择夹2", {70, 55, 546, 48}, "将要处理的文本或者文件夹拖放到此处"},
      {"选择夹1", "选择夹2", {0, 137, 632, 217}, nullptr},
      {"编辑框10", "选择夹2", {5, 26, 619, 360}, nullptr},
      {"按钮_去除重复", "选择夹1", {542, 107, 80, 32}, "去除重复"},
      {"分组框1", "选择夹1", {8, 32, 616, 72}, "功能说明"},
      {"透明标签3", "分组框1", {11, 16, 581, 33}, texts::kDedupExplanation},
      {"按钮_打乱顺序", "选择夹1", {542, 107, 80, 32}, "打乱顺序"},
      {"透明标签4", "分组框2", {11, 16, 389, 33}, "本功能是随机打乱文本行，重新排列"},
      {"透明标签6", "选择夹1", {310, 107, 56, 32}, "分割份数："},
      {"编辑框_分割份数", "选择夹1", {374, 107, 48, 32}, ""},
      {"透明标签5",
       "分组框3",
       {11, 16, 389, 39},
       "本功能是将一个文本文件平均分割成多个文本文件\r\n\r\n本功能分割后的文本 和原文本同一目录下"},
      {"分组框4", "选择夹1", {8, 33, 616, 72}, "功能说明"},
      {"按钮_合并文本", "选择夹1", {542, 107, 80, 32}, "合并文本"},
      {"选择框1", "选择夹1", {9, 112, 16, 24}, nullptr},
      {"标签4", "选择夹1", {24, 112, 38, 24}, "1.取出"},
      {"标签1", "选择夹1", {122, 112, 5, 24}, "-"},
      {"编辑框2", "选择夹1", {138, 112, 50, 24}, ""},
      {"标签2", "选择夹1", {195, 112, 24, 24}, "中间"},
      {"选择框2", "选择夹1", {9, 144, 16, 24}, nullptr},
      {"标签3", "选择夹1", {124, 144, 24, 24}, "左边"},
      {"编辑框4", "选择夹1", {64, 176, 50, 24}, ""},
      {"标签7", "选择夹1", {124, 176, 24, 24}, "右边"},
      {"按钮_提取文本", "选择夹1", {542, 107, 80, 32}, "提取文本"},
      {"分组框7", "选择夹1", {8, 113, 384, 96}, "替换内容  格式 AAAA|BBBB 一行一个"},
      {"编辑框5", "分组框7", {10, 16, 360, 72}, nullptr},
      {"按钮_替换文本", "选择夹1", {542, 107, 80, 32}, "替换文本"},
      {"按钮1", "选择夹1", {16, 109, 96, 24}, "随机数字1个"},
      {"按钮2", "选择夹1", {124, 109, 96, 24}, "随机字母1个"},
      {"按钮3", "选择夹1", {232, 109, 96, 24}, "随机汉字1个"},
      {"标签8", "选择夹1", {8, 145, 48, 20}, "规则："},
      {"编辑框6", "选择夹1", {74, 145, 160, 20}, ""},
      {"标签9", "选择夹1", {8, 177, 56, 24}, "生成个数："},
      {"编辑框7", "选择夹1", {74, 177, 54, 20}, ""},
      {"分组框8", "选择夹1", {8, 33, 616, 72}, "功能说明"},
      {"透明标签10", "分组框8", {11, 16, 597, 48}, nullptr},
      {"按钮_生成文本", "选择夹1", {542, 107, 80, 32}, "生成文本"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget* widget = Find(c.name);
    ASSERT_NE(widget, nullptr);
    Reveal(widget);
    QWidget* container = c.container ? Find(c.container) : window_.get();
    EXPECT_EQ(QRect(widget->mapTo(container, QPoint(0, 0)), widget->size()), c.rect);
    if (c.text == nullptr) continue;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) text = button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) text = group->title();
    if (auto* line = qobject_cast<QLineEdit*>(widget)) text = line->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) text = box->toPlainText();
    EXPECT_EQ(text, U(c.text));
  }
}

TEST_F(WindowTest, ExplanationsAndDescriptionSayWhatTheyMust) {
  const QString generate = Find<QLabel>("透明标签10")->text();
  EXPECT_TRUE(generate.contains(U("%代表一个随机数字，#代表一个随机字母，*代表一个随机汉字")));
  EXPECT_TRUE(generate.contains(U("135535%%%%%")));
  EXPECT_TRUE(generate.contains(U("%%%%%@")));

  const QString description = Find<QPlainTextEdit>("编辑框10")->toPlainText();
  const char* features[] = {
      "1."
      "集成多个常用文本操作功能，去除重复、打乱顺序、分割文本、合并文本、提取文本、文本替换、文本生"
      "成",
      "2.绿色软件 不需要安装 ", "3.文本处理速度快，不出错，并可以处理超大文本",
      "4.以后会根据客户需求不断添加新的实用功能"};
  const QStringList lines = description.split(QLatin1Char('\n'));
  for (const char* feature : features) EXPECT_TRUE(lines.contains(U(feature))) << feature;
  EXPECT_TRUE(description.contains(U("%代表一个随机数字，#代表一个随机字母，*代表一个随机汉字")));

  // The operations' fixed settings sit in the box outside the visible area.
  QString settings = Find<QPlainTextEdit>("编辑框8")->toPlainText();
  settings.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  EXPECT_EQ(settings.toStdString(), std::string(ops::kOperationSettings));
}

TEST(StartUp, StartButtonsAreEnabledOnlyWhenStartUpHasRun) {
  test::ScriptedDialogs dialogs;
  MainWindow window(dialogs, CreateTextBrowser);
  const char* buttons[] = {"按钮_去除重复", "按钮_打乱顺序", "按钮_分割文本", "按钮_合并文本",
                           "按钮_提取文本", "按钮_替换文本", "按钮_生成文本"};
  for (const char* name : buttons) {
    EXPECT_FALSE(window.findChild<QPushButton*>(U(name))->isEnabled()) << name;
  }
  EXPECT_TRUE(window.findChild<QPlainTextEdit*>(U("编辑框10"))->toPlainText().isEmpty());
  EXPECT_FALSE(window.acceptDrops());

  window.OnMainWindowCreated();
  for (const char* name : buttons) {
    EXPECT_TRUE(window.findChild<QPushButton*>(U(name))->isEnabled()) << name;
  }
  EXPECT_EQ(window.findChild<QPlainTextEdit*>(U("编辑框10"))->toPlainText(),
            U(texts::kDescription));
  EXPECT_TRUE(window.acceptDrops());
}

// Sends a whole drag (enter, then drop) to target; true when the drag was taken.
bool Drag(QWidget* target, QMimeData* data,
          Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction) {
  const QPoint at(target->width() / 2, target->height() / 2);
  QDragEnterEvent enter(at, actions, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, actions, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

TEST_F(WindowTest, DroppedFileOrFolderLandsInThePathBoxFromAnyControl) {
  auto* path_box = Find<QPlainTextEdit>("编辑框_文件名");
  const QString hint = path_box->toPlainText();
  struct Case {
    const char* target;
    QStringList paths;
    const char* expected;
  };
  const Case cases[] = {
      {"编辑框_文件名", {"/data/list.txt"}, "/data/list.txt"},
      {"编辑框5", {"/data/a.txt", "/data/b.txt", "/data/c.txt"}, "/data/a.txt"},
      {"编辑框10", {"/data/folder"}, "/data/folder"},
      {"标签8", {"/data/名单 1.txt"}, "/data/名单 1.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    path_box->setPlainText(hint);
    QWidget* target = Find(c.target);
    Reveal(target);
    if (auto* box = qobject_cast<QPlainTextEdit*>(target)) target = box->viewport();
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : c.paths) urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    EXPECT_TRUE(Drag(target, &data));
    EXPECT_EQ(path_box->toPlainText(), U(c.expected));
  }
  // Several paths are handed over with CR LF after each; the box keeps the first.
  QMimeData three;
  three.setUrls({QUrl::fromLocalFile("/x/1"), QUrl::fromLocalFile("/x/2")});
  EXPECT_EQ(DropTarget::DroppedText(&three), U("/x/1\r\n/x/2\r\n"));
}

TEST_F(WindowTest, DragsWithoutALocalPathAreNotTakenAsPaths) {
  auto* path_box = Find<QPlainTextEdit>("编辑框_文件名");
  path_box->setPlainText(U("/kept.txt"));
  auto* rules = Find<QPlainTextEdit>("编辑框5");
  Reveal(rules);

  QMimeData text_only;
  text_only.setText(U("/not/a/drop.txt"));
  Drag(rules->viewport(), &text_only);
  EXPECT_EQ(path_box->toPlainText(), U("/kept.txt"));

  QMimeData web;
  web.setUrls({QUrl(QStringLiteral("https://example.com/a.txt"))});
  EXPECT_FALSE(Drag(Find("标签8"), &web));
  EXPECT_EQ(path_box->toPlainText(), U("/kept.txt"));

  // A drag that could only move the file away is refused.
  QMimeData move_only;
  move_only.setUrls({QUrl::fromLocalFile("/data/list.txt")});
  EXPECT_FALSE(Drag(Find("标签8"), &move_only, Qt::MoveAction));
  EXPECT_EQ(path_box->toPlainText(), U("/kept.txt"));
}

TEST_F(WindowTest, ModeBoxesActAsAChoiceUnderTheMouse) {
  auto* box1 = Find<QCheckBox>("选择框1");
  auto* box2 = Find<QCheckBox>("选择框2");
  auto* box3 = Find<QCheckBox>("选择框3");
  Reveal(box1);
  const ControlState& state = window_->control_state();

  QTest::mouseClick(box1, Qt::LeftButton);
  EXPECT_TRUE(box1->isChecked());
  box3->setChecked(true);  // as the keyboard can
  QTest::mouseClick(box2, Qt::LeftButton);
  EXPECT_FALSE(box1->isChecked());
  EXPECT_TRUE(box2->isChecked());
  EXPECT_FALSE(box3->isChecked());
  EXPECT_TRUE(state.IsChecked(ops::ModeBox::kLeft));
  EXPECT_FALSE(state.IsChecked(ops::ModeBox::kBetween));

  QTest::mouseClick(box2, Qt::LeftButton);  // the checked box: nothing else changes, it unchecks
  EXPECT_FALSE(box1->isChecked() || box2->isChecked() || box3->isChecked());
  EXPECT_FALSE(state.IsChecked(ops::ModeBox::kLeft));

  // Another button than the left one clears nothing.
  box1->setChecked(true);
  QTest::mouseClick(box3, Qt::RightButton);
  EXPECT_TRUE(box1->isChecked());
}

TEST_F(WindowTest, NumberBoxesRefuseOtherCharactersAndNormaliseOnLeaving) {
  for (const char* name : {"编辑框_分割份数", "编辑框7"}) {
    SCOPED_TRACE(name);
    auto* box = Find<QLineEdit>(name);
    Reveal(box);
    box->clear();
    QTest::keyClicks(box, QStringLiteral("12a3"));
    EXPECT_EQ(box->text(), QStringLiteral("123"));
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("12"));

    struct Case {
      const char* typed;
      const char* left;
    };
    const Case cases[] = {{"0", ""},
                          {"99999999999", "2147483647"},
                          {"-99999999999", "-2147483648"},
                          {"007", "7"},
                          {"12-3", "12"},
                          {"-", ""},
                          {"-15", "-15"}};
    for (const Case& c : cases) {
      box->setText(QString::fromLatin1(c.typed));
      QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
      QApplication::sendEvent(box, &out);
      EXPECT_EQ(box->text(), QString::fromLatin1(c.left)) << c.typed;
    }
  }
  // A changed text puts the caret where the selection started.
  auto* count = Find<QLineEdit>("编辑框7");
  count->setText(QStringLiteral("99999999999"));
  count->setSelection(2, 3);
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(count, &out);
  EXPECT_EQ(count->cursorPosition(), 2);
  EXPECT_FALSE(count->hasSelectedText());
}

TEST_F(WindowTest, InsertButtonsPutPlaceholdersAtTheCaretAndLeaveTheClipboardAlone) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  auto* before = new QMimeData;
  before->setText(U("剪贴板原文"));
  before->setData(QStringLiteral("application/x-mirelant-probe"), QByteArray("\x01\x02", 2));
  clipboard->setMimeData(before);

  auto* rule = Find<QLineEdit>("编辑框6");
  Reveal(rule);
  rule->setText(QStringLiteral("ab"));
  rule->setCursorPosition(1);
  QTest::mouseClick(Find("按钮2"), Qt::LeftButton);
  EXPECT_EQ(rule->text(), QStringLiteral("a#b"));

  rule->setText(QStringLiteral("ab"));
  rule->selectAll();
  QTest::mouseClick(Find("按钮1"), Qt::LeftButton);
  EXPECT_EQ(rule->text(), QStringLiteral("%"));
  QTest::mouseClick(Find("按钮3"), Qt::LeftButton);
  EXPECT_EQ(rule->text(), QStringLiteral("%*"));

  const QMimeData* after = clipboard->mimeData();
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->text(), U("剪贴板原文"));
  EXPECT_EQ(after->data(QStringLiteral("application/x-mirelant-probe")), QByteArray("\x01\x02", 2));
}

TEST_F(WindowTest, TutorialLoadsEachTimeItsPageIsSelected) {
  VideoPage* video = window_->video_page();
  EXPECT_EQ(video->browser(), nullptr);  // made on first selection only
  QSignalSpy loads(video, &VideoPage::TutorialLoading);
  QTabWidget* top = window_->pages();

  top->setCurrentIndex(1);  // "软件说明"
  EXPECT_EQ(loads.count(), 0);
  top->setCurrentIndex(2);
  EXPECT_EQ(loads.count(), 1);
  top->setCurrentIndex(0);
  top->setCurrentIndex(2);
  EXPECT_EQ(loads.count(), 2);
  EXPECT_EQ(video->loads(), 2);

  auto* view = Find<QTextBrowser>("超文本浏览框1");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(QRect(view->mapTo(top, QPoint(0, 0)), view->size()), QRect(5, 26, 619, 360));
  EXPECT_EQ(view->source(), VideoPageAddress());
  EXPECT_TRUE(view->toPlainText().contains(U("使用教程")));  // shipped inside the program
}

TEST_F(WindowTest, ControlTextsReachTheOperationsAsGbkAfterEachEdit) {
  const ControlState& state = window_->control_state();
  auto* rule = Find<QLineEdit>("编辑框6");
  const std::uint64_t version = state.ControlVersion(ops::Control::kRule);
  rule->setText(U("号%"));
  EXPECT_GT(state.ControlVersion(ops::Control::kRule), version);
  EXPECT_EQ(state.ControlText(ops::Control::kRule), std::optional<Text>("\xBA\xC5%"));
  rule->setText(U("\xF0\x9F\x98\x80"));  // no GBK form
  EXPECT_EQ(state.ControlText(ops::Control::kRule), std::nullopt);

  // The rules box's lines reach the operation separated by CR LF.
  Find<QPlainTextEdit>("编辑框5")->setPlainText(QStringLiteral("a|b\nc|d"));
  EXPECT_EQ(state.ControlText(ops::Control::kRules), std::optional<Text>("a|b\r\nc|d"));

  Find<QPlainTextEdit>("编辑框_文件名")->setPlainText(U("/数据/list.txt"));
  EXPECT_EQ(state.InputPath(), "/数据/list.txt");
}

TEST(Skin, HueAndSaturationAreClampedToTheirRanges) {
  struct Case {
    int hue, saturation, clamped_hue, clamped_saturation;
  };
  const Case cases[] = {{0, 0, 0, 0},
                        {200, -150, 180, -100},
                        {-181, 0, -180, 0},
                        {180, 100, 180, 100},
                        {-180, -100, -180, -100}};
  for (const Case& c : cases) {
    const SkinAdjustment a = ClampSkinAdjustment(c.hue, c.saturation);
    EXPECT_EQ(a.hue, c.clamped_hue) << c.hue;
    EXPECT_EQ(a.saturation, c.clamped_saturation) << c.saturation;
  }
}

TEST(Skin, BuiltInThemeParsesAndShiftsColoursButNotGreys) {
  const std::optional<Theme> theme = ParseTheme(BuiltInSkin());
  ASSERT_TRUE(theme.has_value());
  EXPECT_EQ(theme->style, QStringLiteral("Fusion"));
  EXPECT_FALSE(theme->style_sheet.isEmpty());

  EXPECT_FALSE(ParseTheme(QByteArray("not a theme")).has_value());
  EXPECT_FALSE(ParseTheme(QByteArray("mirelant-theme 1\ncolor NoSuchRole #ffffff\n")).has_value());

  QPalette palette;
  palette.setColor(QPalette::Highlight, QColor(255, 0, 0));
  palette.setColor(QPalette::Window, QColor(128, 128, 128));
  const QPalette shifted = ShiftPalette(palette, ClampSkinAdjustment(400, -50));
  EXPECT_EQ(shifted.color(QPalette::Highlight).hsvHue(), 180);
  EXPECT_EQ(shifted.color(QPalette::Highlight).hsvSaturation(), 255 - 127);
  EXPECT_EQ(shifted.color(QPalette::Window), QColor(128, 128, 128));
}

}  // namespace
}  // namespace mirelant::app

int main(int argc, char** argv) { return mirelant::test::RunWindowTests(argc, argv); }
