#include "mirelant/app/screenshot_tour.h"

#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "mirelant/app/main_window.h"

namespace mirelant::app {

namespace {

constexpr int kSettleMs = 400;           // lets a selected page paint
constexpr int kTutorialWaitMs = 20000;   // the longest wait for the tutorial to load
constexpr int kTutorialSettleMs = 2500;  // lets the web view draw after loading

const char* const kPageFiles[] = {"run-dedup.png",   "run-shuffle.png", "run-split.png",
                                  "run-merge.png",   "run-extract.png", "run-replace.png",
                                  "run-generate.png"};

}  // namespace

ScreenshotTour::ScreenshotTour(MainWindow& window, QString folder)
    : QObject(&window), window_(window), folder_(std::move(folder)) {
  TabControl* operations = window_.run_page()->operations();
  for (int i = 0; i < operations->count(); ++i) {
    shots_.push_back({QString::fromLatin1(kPageFiles[i]), [this, operations, i] {
                        window_.pages()->setCurrentIndex(0);
                        operations->setCurrentIndex(i);
                      }});
  }
  shots_.push_back({QStringLiteral("description.png"),
                    [this] { window_.pages()->setCurrentWidget(window_.description_page()); }});
}

void ScreenshotTour::Start() {
  QDir().mkpath(folder_);
  FillExamples();
  TakeNext();
}

void ScreenshotTour::FillExamples() {
  RunPage* run = window_.run_page();
  run->path_box()->setPlainText(QStringLiteral("/home/user/文本/客户名单.txt"));
  run->split_page()->part_count()->setText(QStringLiteral("3"));
  ExtractPage* extract = run->extract_page();
  extract->mode_box(ops::ModeBox::kBetween)->setChecked(true);
  extract->mark(1)->setText(QStringLiteral("["));
  extract->mark(2)->setText(QStringLiteral("]"));
  run->replace_page()->rules()->setPlainText(QStringLiteral("北京|上海\n张三|李四"));
  run->generate_page()->rule()->setText(QStringLiteral("135535%%%%%"));
  run->generate_page()->count()->setText(QStringLiteral("1000"));
}

void ScreenshotTour::TakeNext() {
  if (next_ < shots_.size()) {
    const Shot& shot = shots_[next_++];
    shot.select();
    QTimer::singleShot(kSettleMs, this, [this, file = shot.file] {
      Save(file, false);
      TakeNext();
    });
    return;
  }
  // Last the tutorial page, once its view has loaded and drawn.
  VideoPage* video = window_.video_page();
  auto done = std::make_shared<bool>(false);
  auto shoot = [this, done] {
    if (*done) return;
    *done = true;
    QTimer::singleShot(kTutorialSettleMs, this, [this] {
      Save(QStringLiteral("tutorial.png"), true);
      emit Finished(ok_);
    });
  };
  window_.pages()->setCurrentWidget(video);
  if (!HasWebEngine()) {
    shoot();  // the text browser has loaded by the time the page shows
  } else if (video->browser() != nullptr) {
    connect(video->browser(), &Browser::LoadFinished, this, shoot);
  }
  QTimer::singleShot(kTutorialWaitMs, this, shoot);
}

void ScreenshotTour::Save(const QString& file, bool from_screen) {
  // The web view draws through the GPU path, which only the screen shows.
  QPixmap picture = from_screen && window_.screen() != nullptr
                        ? window_.screen()->grabWindow(window_.winId())
                        : window_.grab();
  if (!picture.save(QDir(folder_).filePath(file), "PNG")) ok_ = false;
}

}  // namespace mirelant::app
