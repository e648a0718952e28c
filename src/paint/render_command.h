#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace navui {

// navtool render FOLDER OUT.png --size WxH --mag M --center LON,LAT
//                [--layers LIST] [--plan FILE.sit] [--ratio R]
// Paints the map of FOLDER's data as the window would and writes a PNG.
int renderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace navui
