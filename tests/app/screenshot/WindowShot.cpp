// Runs the whole program on a real display, opens a page with File > Open, searches it and
// saves a picture of the main window. Usage: linkrake_window_shot PAGE PICTURE.png
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <functional>
#include <string>

#include "app/CExtractApp.h"
#include "app/CExtractDlg.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/ModalHook.h"

namespace {

// The user picks the page; every message is acknowledged.
class PickPage : public linkrake::IFileDialogService {
 public:
  explicit PickPage(std::string page) : page_(std::move(page)) {}
  linkrake::FileDialogResult Run(const linkrake::FileDialogRequest& request) override {
    return {true, page_, request.filterIndex};
  }

 private:
  std::string page_;
};

class Acknowledge : public linkrake::IMessageBoxService {
 public:
  int Show(const linkrake::MessageBoxRequest&) override { return linkrake::IDOK; }
};

bool saved = false;

void OnMainDialog(std::function<void(linkrake::CExtractDlg&)> action) {
  linkrake::ModalHook::Enqueue([action](linkrake::CDialog& dialog) {
    if (auto* main = dynamic_cast<linkrake::CExtractDlg*>(&dialog)) {
      action(*main);
      return;
    }
    dialog.EndDialog(linkrake::IDOK);  // the About box of the start-up
    OnMainDialog(action);
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PAGE PICTURE.png\n", argv[0]);
    return 2;
  }
  const std::string page = argv[1];
  const QString picture = QString::fromLocal8Bit(argv[2]);

  PickPage files(page);
  Acknowledge boxes;
  linkrake::ScopedFileDialogService fileService(files);
  linkrake::ScopedMessageBoxService boxService(boxes);

  linkrake::CExtractApp theApp;
  OnMainDialog([&](linkrake::CExtractDlg& dlg) {
    dlg.RouteCommand(linkrake::ID_FILE_OPEN);
    dlg.RouteCommand(linkrake::IDC_SEARCH);
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    saved = dlg.grab().save(picture, "PNG");
    dlg.EndDialog(linkrake::IDOK);
  });
  theApp.Run();
  if (!saved) std::fprintf(stderr, "could not save %s\n", argv[2]);
  return saved ? 0 : 1;
}
