#include "mirelant/app/main_window.h"

#include <QCloseEvent>
#include <QIcon>

#include "mirelant/app/controls.h"
#include "mirelant/app/skin.h"
#include "mirelant/app/window_texts.h"
#include "mirelant/ops/settings.h"

namespace mirelant::app {

namespace {

constexpr QSize kOuterSize(645, 492);
constexpr QPoint kPlace(50, 50);

QString Utf8(const char* text) { return QString::fromUtf8(text); }

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MainWindow::MainWindow(DialogProvider& dialogs, BrowserFactory make_browser, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      save_dialog_(new SaveFileDialog(dialogs, this)),
      host_(WindowHost::Create(*save_dialog_, dialogs, this)),
      pages_(new TabControl(QStringLiteral("选择夹2"), this)),
      run_page_(new RunPage),
      description_page_(new DescriptionPage),
      video_page_(new VideoPage(std::move(make_browser))),
      status_(new StatusArea(this)),
      drop_target_(new DropTarget(this)),
      runs_(new RunLauncher(host_, this)) {
  setObjectName(QStringLiteral("窗口1"));
  setWindowTitle(Utf8(texts::kCaption));
  setWindowIcon(QIcon(QStringLiteral(":/mirelant/mirelant.png")));

  pages_->setGeometry(0, 22, 640, 394);
  pages_->AddPage(run_page_, Utf8(texts::kRunTab));
  pages_->AddPage(description_page_, Utf8(texts::kDescriptionTab));
  pages_->AddPage(video_page_, Utf8(texts::kVideoTab));
  status_->setGeometry(0, 441, 334, 20);

  // The operations' fixed settings, kept outside the visible area.
  QPlainTextEdit* settings = MakeTextBox(QStringLiteral("编辑框8"));
  settings->setParent(this);
  settings->setGeometry(656, 128, 208, 104);
  settings->setPlainText(Utf8(ops::kOperationSettings));

  move(kPlace);
  setFixedSize(kOuterSize);

  for (OperationPage* page : run_page_->pages()) {
    connect(page, &OperationPage::StartRequested, runs_, &RunLauncher::Start);
  }
  connect(pages_, &QTabWidget::currentChanged, this, &MainWindow::OnTopTabChanged);
  connect(host_.get(), &WindowHost::StatusRequested, status_, &StatusArea::SetPaneText,
          Qt::QueuedConnection);
  connect(runs_, &RunLauncher::RunningChanged, status_,
          [this](int running) { status_->SetBusy(running > 0); });
  connect(runs_, &RunLauncher::RunFinished, this, &MainWindow::RunFinished);
  connect(drop_target_, &DropTarget::FilesDropped, this, &MainWindow::OnFilesDropped);
  BindControls();
}

MainWindow::~MainWindow() {
  host_->Shutdown();
  dialogs_.CloseAll();
}

void MainWindow::BindControls() {
  ControlState& state = host_->controls();
  QPlainTextEdit* path_box = run_page_->path_box();
  state.SetInputPath(TextBoxText(*path_box));
  connect(path_box, &QPlainTextEdit::textChanged, this,
          [this, path_box] { host_->controls().SetInputPath(TextBoxText(*path_box)); });

  auto bind_line = [this, &state](QLineEdit* edit, ops::Control control) {
    state.SetText(control, edit->text());
    connect(edit, &QLineEdit::textChanged, this,
            [this, control](const QString& text) { host_->controls().SetText(control, text); });
  };
  bind_line(run_page_->split_page()->part_count(), ops::Control::kPartCount);
  ExtractPage* extract = run_page_->extract_page();
  bind_line(extract->mark(1), ops::Control::kMark1);
  bind_line(extract->mark(2), ops::Control::kMark2);
  bind_line(extract->mark(3), ops::Control::kMark3);
  bind_line(extract->mark(4), ops::Control::kMark4);
  bind_line(run_page_->generate_page()->rule(), ops::Control::kRule);
  bind_line(run_page_->generate_page()->count(), ops::Control::kCount);

  QPlainTextEdit* rules = run_page_->replace_page()->rules();
  state.SetText(ops::Control::kRules, TextBoxText(*rules));
  connect(rules, &QPlainTextEdit::textChanged, this,
          [this, rules] { host_->controls().SetText(ops::Control::kRules, TextBoxText(*rules)); });

  for (ops::ModeBox box : {ops::ModeBox::kBetween, ops::ModeBox::kLeft, ops::ModeBox::kRight}) {
    ModeCheckBox* check = extract->mode_box(box);
    state.SetChecked(box, check->isChecked());
    connect(check, &QCheckBox::toggled, this,
            [this, box](bool checked) { host_->controls().SetChecked(box, checked); });
  }
}

void MainWindow::OnMainWindowCreated() {
  AttachBuiltInSkin(BuiltInSkin());
  description_page_->SetDescription(Utf8(texts::kDescription));
  drop_target_->Activate();
  for (OperationPage* page : run_page_->pages()) page->start_button()->setEnabled(true);
}

void MainWindow::OnFilesDropped(const QString& dropped_text) {
  if (dropped_text.isEmpty()) return;
  const QString first = dropped_text.section(QStringLiteral("\r\n"), 0, 0);
  run_page_->path_box()->setPlainText(first);
}

void MainWindow::OnTopTabChanged() {
  if (pages_->currentWidget() == video_page_) video_page_->LoadTutorial();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Workers waiting for a dialog end as cancelled; the rest end with the process.
  host_->Shutdown();
  dialogs_.CloseAll();
  event->accept();
}

bool MainWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
      FitOuterSize();
      break;
    default:
      break;
  }
  return handled;
}

void MainWindow::FitOuterSize() {
  if (!isWindow()) return;
  const QRect outer = frameGeometry();
  const QRect inner = geometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom());
  if (frame == frame_) return;
  frame_ = frame;
  setFixedSize(kOuterSize.width() - frame.left() - frame.right(),
               kOuterSize.height() - frame.top() - frame.bottom());
}

}  // namespace mirelant::app
