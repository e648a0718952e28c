#include "exchange/format_support.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "base/failure.h"
#include "base/number_format.h"
#include "base/windows1252.h"

namespace nav::exchange {

namespace {

// pugixml's reasons, as the user reads them.
std::string_view parseProblem(pugi::xml_parse_status status) {
  switch (status) {
    case pugi::status_no_document_element: return "aucun élément XML";
    case pugi::status_end_element_mismatch: return "balise non fermée ou mal fermée (fichier tronqué ?)";
    case pugi::status_unrecognized_tag: return "balise illisible";
    case pugi::status_bad_attribute: return "attribut illisible";
    case pugi::status_bad_start_element:
    case pugi::status_bad_end_element: return "balise incomplète";
    case pugi::status_bad_comment:
    case pugi::status_bad_cdata:
    case pugi::status_bad_doctype:
    case pugi::status_bad_pi:
    case pugi::status_bad_pcdata: return "texte XML illisible";
    case pugi::status_out_of_memory: return "fichier trop grand";
    default: return "XML illisible";
  }
}

std::size_t lineAt(std::string_view content, std::ptrdiff_t offset) {
  if (offset < 0) return 0;
  const std::size_t end = std::min(content.size(), static_cast<std::size_t>(offset));
  return 1 + static_cast<std::size_t>(
                 std::count(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

}  // namespace

void badRouteFile(const std::string& fileName, std::optional<std::size_t> line, std::string_view what) {
  const std::string where = line && *line > 0 ? fmt::format(", ligne {}", *line) : std::string();
  fail(utf8ToWindows1252(fmt::format("Plan illisible dans {}{} : {}", fileName, where, what)));
}

XmlFile::XmlFile(std::string_view content, const std::string& fileName) : content_(content), fileName_(fileName) {
  const pugi::xml_parse_result result =
      document_.load_buffer(content.data(), content.size(), pugi::parse_default, pugi::encoding_auto);
  if (!result) badRouteFile(fileName_, lineAt(content_, result.offset), parseProblem(result.status));
}

std::size_t XmlFile::lineOf(pugi::xml_node node) const { return lineAt(content_, node.offset_debug()); }

void XmlFile::fail(pugi::xml_node at, std::string_view what) const {
  badRouteFile(fileName_, at ? std::optional(lineOf(at)) : std::nullopt, what);
}

std::string_view localName(pugi::xml_node node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(pugi::xml_node parent, std::string_view name) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && localName(c) == name) return c;
  return {};
}

std::string trimmed(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return {};
  return std::string(text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1));
}

std::string childText(pugi::xml_node parent, std::string_view name) {
  return trimmed(child(parent, name).text().get());
}

std::string asciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::optional<double> number(std::string_view text) { return parseReal(trimmed(text)); }

void checkPosition(const XmlFile& file, pugi::xml_node at, double lat, double lon) {
  if (!(std::abs(lat) <= 90) || !(lon >= -180 && lon <= 360))
    file.fail(at, fmt::format("position hors de la Terre ({}, {})", lat, lon));
}

void addPoint(const XmlFile& file, pugi::xml_node at, ExchangeRoute& route, RoutePoint point) {
  if (route.points.size() >= kMaxRoutePoints)
    file.fail(at, fmt::format("plus de {} points : ce n'est pas un plan de vol", kMaxRoutePoints));
  checkPosition(file, at, point.lat, point.lon);
  point.lon = wrappedLongitude(point.lon);
  route.points.push_back(std::move(point));
}

std::string xmlEscaped(std::string_view utf8) {
  std::string out;
  for (const char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
    }
  }
  return out;
}

double wrappedLongitude(double degrees) {
  double lon = std::fmod(degrees, 360.0);
  lon = std::round(lon * 1e8) / 1e8;
  if (lon >= 180) lon -= 360;
  if (lon < -180) lon += 360;
  return lon;
}

std::string degreesText(double degrees) { return fmt::format("{:.8f}", degrees); }

PointKind kindOfText(std::string_view text) {
  const std::string t = asciiLower(trimmed(text));
  if (t.empty()) return PointKind::unknown;
  if (t == "sarw" || t.find("airport") != std::string::npos || t.find("aerodrome") != std::string::npos ||
      t.find("aérodrome") != std::string::npos || t.find("airfield") != std::string::npos ||
      t.find("heliport") != std::string::npos)
    return PointKind::airport;
  if (t.find("ndb") != std::string::npos) return PointKind::ndb;
  if (t.find("vor") != std::string::npos || t.find("tacan") != std::string::npos) return PointKind::vor;
  if (t == "snav" || t == "navaid") return PointKind::navaid;
  if (t == "usrw" || t.find("user") != std::string::npos) return PointKind::user;
  if (t == "wywy" || t == "int" || t == "int-vrp" || t == "fix" || t.find("intersection") != std::string::npos ||
      t.find("waypoint") != std::string::npos)
    return PointKind::waypoint;
  return PointKind::unknown;
}

std::string_view kindWord(PointKind kind) {
  switch (kind) {
    case PointKind::airport: return "Airport";
    case PointKind::vor: return "VOR";
    case PointKind::ndb: return "NDB";
    case PointKind::navaid: return "Navaid";
    case PointKind::waypoint: return "Waypoint";
    case PointKind::user: return "User";
    case PointKind::unknown: break;
  }
  return {};
}

}  // namespace nav::exchange
