// Opaque text on the table: its cell in the table colour, then the glyphs.
#pragma once

#include <QPoint>
#include <QString>

class QPainter;
class TTableView;

/// Draws the text with the top-left corner of its cell at `at` (table
/// pixels), through the painter of a drawing pass on the table's canvas
/// (its font, pen and table transform set). Drawing it again changes no
/// pixel.
void DrawOpaqueText(QPainter& painter, TTableView& table, const QString& text, QPoint at);
