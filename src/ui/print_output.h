#pragma once

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace navui {

// Draws every page on `device` through `painter`, already begun on it;
// `resolution` is the device's dots per inch.
using PagePainter = std::function<void(QPainter& painter, QPagedPaintDevice& device, int resolution)>;

// Prints on `printer`. Qt writes a PDF file itself and loses its write
// errors, so a PDF goes to the file through the program's own save: a full
// disk or a folder that cannot be written is said, and an earlier file of
// that name stays whole. A printer that cannot start fails too.
void printPages(QPrinter& printer, const PagePainter& paint);

}  // namespace navui
