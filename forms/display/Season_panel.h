#pragma once
// The "Season" panel of the players' display: the season's standings, shown
// over the right-hand column while the clock is paused or when asked for.
#include "forms/display/Players_display.h"

#include <QString>
#include <QVector>
#include <vector>

class QPainter;

struct Season_Panel_Facts {
    QString season;   // the season's name
    struct Row {
        int rank = 0;
        QString name; // "First Last"
        qint64 points = 0;
        int evenings = 0;
    };
    QVector<Row> rows; // the first places; none: no panel
};

// Paints the panel over the column that holds the players and the pool (as
// the frame's texts place it) and adds its texts to the frame.
void Paint_Season_Panel(QPainter& p, std::vector<Display_Text>& frame, const Season_Panel_Facts& facts);
