#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QTest>
#include <memory>
#include <vector>

#include "app/nav_view_state.h"
#include "app/settings_file.h"
#include "file_bytes.h"
#include "floor_table.h"
#include "ui/main_window.h"
#include "ui/map_widget.h"

// Start-up to the first paint of the map, on the offscreen platform, for
// each data folder of NAVBENCH_FOLDERS ("name=FOLDER:name=FOLDER"), else on
// the demo data beside the program.

namespace {

struct Folder {
  std::string name, path;
};

std::vector<Folder> folders() {
  const QByteArray env = qgetenv("NAVBENCH_FOLDERS");
  if (env.isEmpty()) return {{"demo", nav::withTrailingSeparator(NAVBENCH_DEFAULT_FOLDER)}};
  std::vector<Folder> out;
  for (const QByteArray& item : env.split(':')) {
    const qsizetype eq = item.indexOf('=');
    if (eq <= 0) continue;
    out.push_back({item.left(eq).toStdString(), nav::withTrailingSeparator(item.mid(eq + 1).toStdString())});
  }
  return out;
}

// A map area that shows a white image of its size, as the map does before
// anything is drawn on it.
class BlankArea : public QWidget {
 public:
  using QWidget::QWidget;
  void paintEvent(QPaintEvent*) override {
    if (image_.size() != size()) {
      image_ = QImage(size(), QImage::Format_RGB32);
      image_.fill(Qt::white);
    }
    QPainter(this).drawImage(0, 0, image_);
  }

 private:
  QImage image_;
};

void registerStartup(const Folder& folder) {
  const auto pair = navbench::addPair(
      "startup/" + folder.name, 0,
      [=](benchmark::State& state) {
        for (auto _ : state) {
          navui::TformNavView window(folder.path);
          window.resize(1600, 900);
          window.show();
          if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("window not exposed");
          window.carte()->ensurePainted();
          benchmark::DoNotOptimize(window.carte()->mapImage().constBits());
          state.PauseTiming();
          window.hide();
          state.ResumeTiming();
        }
      },
      // The least a start-up must do: read the data files' bytes and show a
      // window of the same size with a blank map area.
      [=](benchmark::State& state) {
        for (auto _ : state) {
          std::vector<std::unique_ptr<char[]>> files;
          files.push_back(navbench::readFileBytes(folder.path + nav::kWorldOutlineFile));
          files.push_back(navbench::readFileBytes(folder.path + nav::kSettingsFile));
          for (const nav::DbdFileKind& kind : nav::kDbdFiles)
            files.push_back(navbench::readFileBytes(folder.path + "database/" + kind.fileName));
          QMainWindow window;
          window.setCentralWidget(new BlankArea(&window));
          window.resize(1600, 900);
          window.show();
          if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("window not exposed");
          state.PauseTiming();
          window.hide();
          state.ResumeTiming();
        }
      });
  pair.path->Unit(benchmark::kMillisecond);
  pair.floor->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (const Folder& f : folders()) registerStartup(f);
  return navbench::runBenchmarks(argc, argv);
}
