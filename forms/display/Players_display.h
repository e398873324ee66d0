#pragma once
// The players' display: a second window for a TV or a projector that shows the
// clock, the blinds, the players and the prize pool in large type. It follows
// the main window live and is painted by the program at any size.
#include "model/Display_facts.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTime>
#include <QVector>
#include <QWidget>
#include <functional>
#include <vector>

class QPainter;
class QTimer;
class TMainForm;

// What the display shows: the evening's facts from the main window's
// tournament and clock, with the phone view's address while it is on.
Display_Facts Gather_Display_Facts(const TMainForm& form, const QTime& now);

// One text as painted: its role, the text, the panel it belongs to and the
// box its letters take. Tests check every box lies inside its panel.
struct Display_Text {
    QString role;
    QString text;
    QRectF panel;
    QRectF bounds;
};

// Paints the whole display into a size; returns the texts painted.
class Display_Painter {
public:
    // The phone view's QR code is painted beside its address when there is one.
    std::vector<Display_Text> Paint(QPainter& p, const QSize& size, const Display_Facts& facts,
                                    const QImage& phone_qr = QImage());

private:
    void Paint_Background(QPainter& p, const QSize& size);
    QImage background_;   // the backdrop is kept between frames of one size
    QHash<QString, QImage> glyphs_; // the time's letters, by letter, size and colour
};

class TPlayers_Display : public QWidget {
    Q_OBJECT
public:
    explicit TPlayers_Display(TMainForm* form);
    ~TPlayers_Display() override;

    // The texts of the last frame painted.
    const std::vector<Display_Text>& Last_Frame() const { return last_frame_; }
    Display_Facts Facts() const;
    // The time of day shown (tests set a fixed one).
    void Set_Time_Source(std::function<QTime()> now) { now_ = std::move(now); }

    void Toggle_Full_Screen();
    // Places the window as the settings file remembers it and shows it.
    void Show_Placed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Placement_Changed();
    void Save_Placement();

    TMainForm* form_;
    Display_Painter painter_;
    std::vector<Display_Text> last_frame_;
    std::function<QTime()> now_;
    QTimer* minute_timer_ = nullptr; // the time of day moves on while the clock stands
    QTimer* save_timer_ = nullptr;   // a burst of moves is written once
    bool placing_ = false;           // restoring: nothing is written
};
