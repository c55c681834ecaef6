#pragma once
// The main window: caption "MirelantV1.3", the tab control 选择夹2 with the
// pages "运行界面", "软件说明" and "视频教程", and the status bar 状态条1. It
// wires the start buttons to the operations and keeps the controls' state
// where the workers can read it.

#include <QWidget>
#include <memory>

#include "mirelant/app/browser.h"
#include "mirelant/app/description_page.h"
#include "mirelant/app/dialogs.h"
#include "mirelant/app/drop_target.h"
#include "mirelant/app/run_launcher.h"
#include "mirelant/app/run_page.h"
#include "mirelant/app/status_area.h"
#include "mirelant/app/tab_control.h"
#include "mirelant/app/video_page.h"
#include "mirelant/app/window_host.h"

namespace mirelant::app {

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // dialogs must outlive the window.
  explicit MainWindow(DialogProvider& dialogs, BrowserFactory make_browser = CreateDefaultBrowser,
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  // Start-up, once the window and its controls exist: the look, the
  // description, the whole window as drop area, and last the start buttons.
  void OnMainWindowCreated();

  // The dropped text (paths separated by CR LF): its first path goes into the
  // path box.
  void OnFilesDropped(const QString& dropped_text);
  // Loads the tutorial when page "视频教程" is the one now selected.
  void OnTopTabChanged();

  TabControl* pages() const { return pages_; }
  RunPage* run_page() const { return run_page_; }
  DescriptionPage* description_page() const { return description_page_; }
  VideoPage* video_page() const { return video_page_; }
  StatusArea* status_area() const { return status_; }
  RunLauncher* runs() const { return runs_; }
  SaveFileDialog* save_dialog() const { return save_dialog_; }
  // What the workers read of the controls.
  const ControlState& control_state() const { return host_->controls(); }

 signals:
  void RunFinished(mirelant::ops::Operation op, mirelant::ops::RunOutcome outcome);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // Keeps the operations' copy of each control up to date.
  void BindControls();
  // Keeps the outer size 645x492 once the window system tells its frame.
  void FitOuterSize();

  DialogProvider& dialogs_;
  SaveFileDialog* save_dialog_;
  std::shared_ptr<WindowHost> host_;
  TabControl* pages_;
  RunPage* run_page_;
  DescriptionPage* description_page_;
  VideoPage* video_page_;
  StatusArea* status_;
  DropTarget* drop_target_;
  RunLauncher* runs_;
  QMargins frame_;
};

}  // namespace mirelant::app
