#pragma once
// An integer box with a minimum and a maximum. A value set by the program is
// clamped into the range; a text that is not a whole number reads as the
// minimum and resets the box to it. Numbers are shown in plain digits in
// every locale; the locale's own digits are read as well.
#include <QSpinBox>
#include <optional>

class Spin_Box : public QSpinBox {
    Q_OBJECT
public:
    explicit Spin_Box(QWidget* parent = nullptr);
    // Arrow buttons only: the text cannot be typed into.
    void Set_Arrows_Only(bool on);
    // The value as read from the box's text (see above).
    int Value();
    void Set_Value(int value);
    // Puts the text into the box as it is ("33.5" from a file); Value()
    // decides later what it means.
    void Set_Text(const QString& text);

    void stepBy(int steps) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    QValidator::State validate(QString& text, int& pos) const override;
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;
    void fixup(QString& text) const override;

private:
    // A whole number in plain digits or in the box's locale's digits.
    std::optional<int> Read_Whole(const QString& text) const;
    bool arrows_only_ = false;
};
