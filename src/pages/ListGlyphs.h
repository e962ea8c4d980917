// The glyphs of the flat buttons beside the lists of the pages: add, delete and edit an entry.
#pragma once

#include "controls/FlashButton.h"

#include <QPainter>
#include <QPolygon>

namespace listglyphs {

inline void Add(QPainter& p, const QColor& c, int s) {
    p.setPen(QPen(c, 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(s / 2, 6, s / 2, s - 6);
    p.drawLine(6, s / 2, s - 6, s / 2);
}

inline void Delete(QPainter& p, const QColor& c, int s) {
    p.setPen(QPen(c, 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(8, 8, s - 8, s - 8);
    p.drawLine(s - 8, 8, 8, s - 8);
}

inline void Edit(QPainter& p, const QColor& c, int s) {
    p.setPen(QPen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygon({QPoint(s - 10, 5), QPoint(s - 5, 10), QPoint(11, s - 4), QPoint(5, s - 5), QPoint(6, s - 11)}));
    p.drawLine(5, s - 3, s - 5, s - 3);
}

// Glyph strips for the three buttons of a list.
inline void Apply(TFlashButton* add, TFlashButton* remove, TFlashButton* edit, int size = 32) {
    add->SetGlyph(PaintGlyphStrip(size, Add));
    remove->SetGlyph(PaintGlyphStrip(size, Delete));
    edit->SetGlyph(PaintGlyphStrip(size, Edit));
}

} // namespace listglyphs
