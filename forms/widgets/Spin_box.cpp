#include "forms/widgets/Spin_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>

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
    const QString shown = cleanText();
    const std::optional<int> read = Read_Whole(shown);
    if (!read) {
        setValue(minimum());
        lineEdit()->setText(textFromValue(minimum()));
        return minimum();
    }
    const int v = *read;
    if (v < minimum() || v > maximum())
        setValue(v); // clamps
    else if (std::any_of(shown.cbegin(), shown.cend(), [](QChar c) { return c.unicode() > 127; }))
        lineEdit()->setText(textFromValue(v)); // typed in the locale's own digits: shown plain from now on
    return value();
}

std::optional<int> Spin_Box::Read_Whole(const QString& text) const
{
    const QString t = text.trimmed();
    bool ok = false;
    int v = t.toInt(&ok);
    // Typed with the locale's own digits ("٢٥" where those are the usual ones).
    if (!ok)
        v = locale().toInt(t, &ok);
    if (!ok)
        return std::nullopt;
    return v;
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
    const std::optional<int> v = Read_Whole(text);
    if (!v)
        return minimum();
    return qBound(minimum(), *v, maximum());
}

// Plain digits in every locale, like every other number on the pages, so
// whatever reads the box's text reads what it shows.
QString Spin_Box::textFromValue(int value) const { return QString::number(value); }

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
