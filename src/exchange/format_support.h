#pragma once

#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "exchange/route_exchange.h"

// What the readers and writers of the formats share.

namespace nav::exchange {

// "Plan illisible dans FILE, ligne N : WHAT", in Windows-1252 as every
// message the program shows; `what` is UTF-8.
[[noreturn]] void badRouteFile(const std::string& fileName, std::optional<std::size_t> line, std::string_view what);

// A parsed XML file: pugixml, which expands no entity but XML's own and
// fetches nothing, so a file can neither reach out nor blow up.
class XmlFile {
 public:
  // Fails as badRouteFile does, at the line where the XML breaks.
  XmlFile(std::string_view content, const std::string& fileName);
  pugi::xml_node root() const { return document_.document_element(); }
  const std::string& fileName() const { return fileName_; }
  // The line a node starts on.
  std::size_t lineOf(pugi::xml_node node) const;
  [[noreturn]] void fail(pugi::xml_node at, std::string_view what) const;

 private:
  std::string_view content_;
  std::string fileName_;
  pugi::xml_document document_;
};

// An element's name without its namespace prefix.
std::string_view localName(pugi::xml_node node);
// The first child element of that local name, or an empty node.
pugi::xml_node child(pugi::xml_node parent, std::string_view name);
// Its text, trimmed; empty when there is no such child.
std::string childText(pugi::xml_node parent, std::string_view name);
std::string trimmed(std::string_view text);
// Upper-case ASCII letters made lower-case, the other bytes as they are.
std::string asciiLower(std::string_view text);

// A number in C's notation whatever the locale; none for anything else.
std::optional<double> number(std::string_view text);

// A position read from a file, checked: `at` names the point for the message.
void checkPosition(const XmlFile& file, pugi::xml_node at, double lat, double lon);
// A point added to the route, its longitude wrapped; fails past kMaxRoutePoints.
void addPoint(const XmlFile& file, pugi::xml_node at, ExchangeRoute& route, RoutePoint point);
// The child elements of that local name, in order.
template <typename F>
void forEachChild(pugi::xml_node parent, std::string_view name, F&& f) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && localName(c) == name) f(c);
}

// Text for an XML element or attribute: markup escaped, the control
// characters XML 1.0 cannot hold left out.
std::string xmlEscaped(std::string_view utf8);
// Degrees as the formats write them: eight decimals, a full stop.
std::string degreesText(double degrees);
// A longitude from -180 to under 180 as written to eight decimals.
double wrappedLongitude(double degrees);

// The kind a free text names: "Airport", "VOR-DME", "NDB", "Intersection",
// "user", and the plan's own codes; unknown for anything else.
PointKind kindOfText(std::string_view text);
// The word GPX and KML files carry for a kind; empty for unknown.
std::string_view kindWord(PointKind kind);

// The creator the files name.
inline constexpr std::string_view kCreator = "Générateur de plan de vol pour Norvane!";

}  // namespace nav::exchange
