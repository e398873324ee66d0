#pragma once
// Paints the printed sheets on a paged device: a printer, a PDF writer or the
// print preview's printer. Everything is measured in the device's own units,
// so a sheet looks the same on paper, in a PDF and in the preview; no text
// runs past the printable area (wide tables take smaller type, then the
// longest cells are shortened with an ellipsis).
#include "reports/Print_sheets.h"
#include "reports/Sheet_layout.h"

class QPagedPaintDevice;

// Portrait, the paper given, margins of 12 mm.
void Set_Up_Page(QPagedPaintDevice& device, Paper paper);

// Each raises Velmora_Error when the device cannot be painted on.
void Paint_Sheet(QPagedPaintDevice& device, const Sheet& sheet);
// per_page: 4 or 6 cards to a page, with dashed cutting lines around each.
void Paint_Seat_Cards(QPagedPaintDevice& device, const QVector<Seat_Card>& cards, int per_page,
                      const QString& tourney);
