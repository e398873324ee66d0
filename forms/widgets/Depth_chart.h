#pragma once
// A painted chart of the average stack in big blinds, level by level: one bar
// per level, a dashed line where the night is decided and a marker on the
// level the end falls in.
#include <QVector>
#include <QWidget>

class Depth_Chart : public QWidget {
    Q_OBJECT
public:
    explicit Depth_Chart(QWidget* parent = nullptr);

    // The depth at each level; end_level is 0-based, -1 past the schedule.
    void Set_Depths(const QVector<double>& depths, int end_level, double decided_depth);

    static const QColor Bar_Colour;     // levels before the end
    static const QColor End_Colour;     // the level the end falls in
    static const QColor Late_Colour;    // levels after it

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<double> depths_;
    int end_level_ = -1;
    double decided_ = 12;
};
