// Window benchmark (offscreen): the whole program from its start to its first
// painted frame on the example folder, and the time a selection in the item
// list takes to show the item with its picture: the example's small pictures
// and a 4000 × 3000 photo of about 3 MB, decoded at the scale that covers the
// 250 × 250 box. The full-scale decode of the photo stands beside it.
#include <QApplication>
#include <QListWidget>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "BenchPictures.h"
#include "BenchRegistry.h"
#include "app/JpegPicture.h"
#include "gui/Fonts.h"
#include "gui/MainForm.h"
#include "gui/QtDialogs.h"

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

double Milliseconds(TClock::time_point from) {
  return std::chrono::duration<double, std::milli>(TClock::now() - from).count();
}

template <class F>
double BestMs(int repeat, F body) {
  double best = 1e300;
  for (int i = 0; i < repeat; ++i) {
    const auto start = TClock::now();
    body();
    best = std::min(best, Milliseconds(start));
  }
  return best;
}

struct TQuietDialogs : gui::TQtDialogs {
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string& message) override { std::cerr << "error: " << message << '\n'; }
};

// A click on entry `second` after one on `first`, so that every timed click
// decodes and shows `second`'s picture.
double SelectMs(gui::TMainForm& form, int first, int second, int repeat) {
  QListWidget* list = form.findChild<QListWidget*>(QStringLiteral("ItemList"));
  double best = 1e300;
  for (int i = 0; i < repeat; ++i) {
    list->setCurrentRow(first);
    best = std::min(best, BestMs(1, [&] { list->setCurrentRow(second); }));
  }
  return best;
}

int RunGui(const std::vector<std::string>&) {
  const fs::path source = fs::path(NABIDKA_SOURCE_DIR) / "examples/pCon_article_lists";
  const fs::path work = fs::temp_directory_path() / ("nabidka-bench-gui-" + std::to_string(::getpid()));
  fs::remove_all(work);
  fs::copy(source, work, fs::copy_options::recursive);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::setenv("LC_ALL", "C.UTF-8", 1);

  // The whole process, as a user starts it.
  const fs::path program = fs::path(NABIDKA_BINARY_DIR) / "src/gui/nabidka";
  const std::string command = "NABIDKA_QUIT_AFTER_FIRST_FRAME=1 '" + program.string() + "' --folder '" +
                              work.string() + "' >/dev/null 2>&1";
  std::system(command.c_str());  // warm the file cache once
  const double startup = BestMs(5, [&] { std::system(command.c_str()); });

  int argc = 1;
  char name[] = "nabidka-bench";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  gui::EnsureTahoma();
  app::TDiskFileSystem disk;
  TQuietDialogs dialogs;
  app::TMainWindowSettings settings{work.string(), text::TRegionalSettings::Czech(), 1250};
  gui::TMainForm form(disk, dialogs, settings);
  form.StartUp();
  form.show();
  QApplication::processEvents();
  const double small = SelectMs(form, 0, 1, 20);

  // Item 02's picture becomes a large photo.
  const fs::path photo = work / "Kuchyne_soubory/image003.jpg";
  bench::WritePhotoJpeg(photo, 3, 4000, 3000, 70);  // about 3 MB
  const double large = SelectMs(form, 0, 1, 10);
  if (form.App().Window.ItemPicture.FileName != photo.string()) {
    std::cerr << "the photo was not shown\n";
  }
  std::ifstream in(photo, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const double fullScale = BestMs(3, [&] { app::DecodeJpeg(bytes); });
  const double coverScale = BestMs(3, [&] { app::DecodeJpegToCover(bytes, 250, 250); });
  fs::remove_all(work);

  std::printf("startup_to_first_frame_ms: %.1f\nselect_item_ms: %.2f\n", startup, small);
  std::printf("photo_bytes: %zu\nselect_photo_item_ms: %.1f\nphoto_decode_cover_scale_ms: %.1f\n"
              "photo_decode_full_scale_ms: %.1f\n",
              bytes.size(), large, coverScale, fullScale);
  std::printf("target_startup_under_300ms: %s\ntarget_select_under_5ms: %s\ntarget_photo_under_60ms: %s\n",
              startup < 300 ? "yes" : "no", small < 5 ? "yes" : "no", large < 60 ? "yes" : "no");
  return 0;
}

bench::TBenchRegistrar registrar("gui", "window start to first frame and item selection with pictures (offscreen)",
                                 RunGui);

}  // namespace
