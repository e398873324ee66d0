#pragma once
// The page buttons of the black left panel: a dark rounded button with its
// icon and a bold white caption; the page shown has a gold one, and the
// pointer over a button lights its edge. Painted here rather than by a style
// sheet, which would bring the whole style-sheet engine into every start.
#include <QToolButton>

class Page_Button : public QToolButton {
public:
    explicit Page_Button(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};
