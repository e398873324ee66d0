#include "forms/widgets/Spin_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

Spin_Box::Spin_Box(QWidget* parent) : QSpinBox(parent)
{
    setAccelerated(false);
    setKeyboardTracking(true);
}

void Spin_Box::Set_Arrows_Only(bool on)
{
    arrows_only_ = on;
    lineEdit()->setReadOnly(on);
    // Keep the arrows and the arrow keys working while the text is read-only.
    setFocusPolicy(on ? Qt::StrongFocus : Qt::WheelFocus);
}

int Spin_Box::Value()
{
    bool ok = false;
    const int v = cleanText().toInt(&ok);
    if (!ok) {
        setValue(minimum());
        lineEdit()->setText(textFromValue(minimum()));
        return minimum();
    }
    if (v < minimum() || v > maximum())
        setValue(v); // clamps
    return value();
}

void Spin_Box::Set_Value(int v) { setValue(v); }

void Spin_Box::Set_Text(const QString& text) { lineEdit()->setText(text); }

QValidator::State Spin_Box::validate(QString& text, int& pos) const
{
    // Anything may stand in the box; Value() decides what it means.
    Q_UNUSED(text);
    Q_UNUSED(pos);
    return QValidator::Acceptable;
}

int Spin_Box::valueFromText(const QString& text) const
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        return minimum();
    return qBound(minimum(), v, maximum());
}

void Spin_Box::fixup(QString& text) const
{
    text = textFromValue(valueFromText(text));
}

// A box changed with its arrows only moves one step at a time: Page Up/Down,
// Ctrl+arrow and the mouse wheel, which would jump by ten or by accident, do
// nothing.
void Spin_Box::stepBy(int steps)
{
    if (arrows_only_ && steps != 0)
        steps = steps > 0 ? 1 : -1;
    QSpinBox::stepBy(steps);
}

void Spin_Box::keyPressEvent(QKeyEvent* event)
{
    if (arrows_only_ && (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown)) {
        event->ignore();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void Spin_Box::wheelEvent(QWheelEvent* event)
{
    if (arrows_only_) {
        event->ignore();
        return;
    }
    QSpinBox::wheelEvent(event);
}
