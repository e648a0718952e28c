#include "paint/render_command.h"

#include <QGuiApplication>
#include <QImage>
#include <memory>
#include <sstream>

#include "app/command_line.h"
#include "app/settings_file.h"
#include "base/failure.h"
#include "base/number_format.h"
#include "flightplan/sit_reader.h"
#include "paint/map_image.h"
#include "paint/qpainter_surface.h"

namespace navui {

namespace {

constexpr const char* kUsage =
    "Usage: navtool render FOLDER OUT.png --size WxH --mag M --center LON,LAT [--layers LIST] [--plan FILE.sit]\n"
    "       [--ratio R]\n"
    "  LON, LAT: the view centre in signed arc-seconds; LIST: comma-separated nav.ini keys, or wptName;\n"
    "  R: image pixels to a map pixel, 1 to 4, as on a high-density screen (the PNG is R times the size)\n";

struct RenderOptions {
  std::string folder, output;
  int width = 0, height = 0;
  std::int32_t mag = 1;
  double lon = 0, lat = 0;
  std::vector<std::string> layers;
  std::string plan;
  int ratio = 1;
};

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, sep)) parts.push_back(part);
  return parts;
}

RenderOptions parseOptions(const std::vector<std::string>& args) {
  if (args.size() < 2) nav::fail("missing FOLDER or OUT.png");
  RenderOptions o;
  o.folder = args[0];
  o.output = args[1];
  bool haveSize = false, haveMag = false, haveCenter = false;
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& key = args[i];
    if (i + 1 >= args.size()) nav::fail("missing value after " + key);
    const std::string& value = args[++i];
    if (key == "--size") {
      const auto parts = split(value, 'x');
      const auto w = parts.size() == 2 ? nav::parseInteger(parts[0]) : std::nullopt;
      const auto h = parts.size() == 2 ? nav::parseInteger(parts[1]) : std::nullopt;
      if (!w || !h || *w <= 0 || *h <= 0 || *w > 16384 || *h > 16384) nav::fail("bad --size " + value);
      o.width = *w;
      o.height = *h;
      haveSize = true;
    } else if (key == "--mag") {
      const auto m = nav::parseInteger(value);
      if (!m) nav::fail("bad --mag " + value);
      o.mag = *m;
      haveMag = true;
    } else if (key == "--center") {
      const auto parts = split(value, ',');
      const auto lon = parts.size() == 2 ? nav::parseReal(parts[0]) : std::nullopt;
      const auto lat = parts.size() == 2 ? nav::parseReal(parts[1]) : std::nullopt;
      if (!lon || !lat) nav::fail("bad --center " + value);
      o.lon = *lon;
      o.lat = *lat;
      haveCenter = true;
    } else if (key == "--layers") {
      o.layers = split(value, ',');
    } else if (key == "--plan") {
      o.plan = value;
    } else if (key == "--ratio") {
      const auto r = nav::parseInteger(value);
      if (!r || *r < 1 || *r > 4) nav::fail("bad --ratio " + value);
      o.ratio = *r;
    } else {
      nav::fail("unknown option " + key);
    }
  }
  if (!haveSize || !haveMag || !haveCenter) nav::fail("--size, --mag and --center are required");
  if (o.width * o.ratio > 16384 || o.height * o.ratio > 16384) nav::fail("--size times --ratio over 16384");
  return o;
}

// Image painting needs a GUI application; none is shown, so the offscreen
// platform does when no other is asked for. Windows always has a desktop,
// and the Windows build carries its own platform only.
std::unique_ptr<QGuiApplication> guiApplication() {
  if (QCoreApplication::instance()) return nullptr;
#ifndef _WIN32
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  static int argc = 1;
  static char name[] = "navtool";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int renderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RenderOptions o;
  try {
    o = parseOptions(args);
  } catch (const nav::Failure& f) {
    err << nav::withFullStop(f.what()) << '\n' << kUsage;
    return 2;
  }
  // Exactly these layers, at this centre and level, as a nav.ini holding
  // them would give.
  nav::ViewSettings layers;
  layers.showGrid = false;
  layers.showMaps = false;
  layers.largeSymbols = false;
  for (const std::string& key : o.layers) {
    if (!nav::setLayerSwitch(layers, key, true)) {
      err << nav::withFullStop("unknown layer " + key) << '\n';
      return 2;
    }
  }
  const auto app = guiApplication();

  nav::NavViewState state;
  state.exeFolder = nav::withTrailingSeparator(o.folder);
  nav::StartupHooks hooks;
  hooks.mapArea = [&] { return nav::MapArea{o.width, o.height}; };
  hooks.readSettings = [&](nav::NavViewState& s) {
    s.settings = layers;
    s.view.left = s.view.right = o.lon;
    s.view.top = s.view.bottom = o.lat;
    s.view.mag = nav::clampMag(o.mag);
  };
  const bool loaded = nav::startUp(state, hooks, nav::printingTo(err));
  nav::FlightPlan plan;
  if (!o.plan.empty()) {
    // As the load command leaves it: the rows read, the route shown.
    const bool read = nav::runGuarded([&] { nav::replaceRows(plan, nav::readSitFile(o.plan)); }, nav::printingTo(err));
    if (!read) return 1;
  }

  QImage image(o.width * o.ratio, o.height * o.ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(o.ratio);
  // A first paint: the spare pen as the pens are created.
  nav::Pen penSaved;
  const bool painted = nav::runGuarded([&] { paintMapImage(image, state, plan, penSaved, '.'); }, nav::printingTo(err));
  if (!image.save(QString::fromStdString(o.output), "PNG")) {
    err << nav::withFullStop("Cannot create file " + o.output) << '\n';
    return 1;
  }
  out << o.output << ' ' << image.width() << 'x' << image.height() << '\n';
  return loaded && painted ? 0 : 1;
}

}  // namespace navui
