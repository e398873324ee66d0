#pragma once
// The players' display: a second window for a TV or a projector that shows the
// clock, the blinds, the players and the prize pool in large type. It follows
// the main window live and is painted by the program at any size.
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

// What the display shows, taken from the main window's tournament and clock.
struct Display_Facts {
    QString name;             // the tournament's name
    QTime time_of_day;
    QString time_left;        // "12:34"
    bool paused = true;
    bool flashing_red = false;
    int level = 1;            // 1-based
    int level_count = 20;
    int small_blind = 0, big_blind = 0;
    bool has_next = false;    // a further level with blinds set
    int next_small = 0, next_big = 0;
    int players_left = 0, players_entered = 0;
    bool chips_set = false;   // a chip set with a value
    double average_stack = 0;
    double prize_pool = 0;
    QVector<double> payouts;  // the first places with a share, in order
    // The levels after the next that have blinds: number, small, big.
    struct Level { int number, small_blind, big_blind; };
    QVector<Level> later_levels;
    // The phone view's address and its QR code while the view is on.
    QString phone_address;
    QImage phone_qr;
};

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
    std::vector<Display_Text> Paint(QPainter& p, const QSize& size, const Display_Facts& facts);

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
