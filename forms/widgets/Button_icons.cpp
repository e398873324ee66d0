#include "forms/widgets/Button_icons.h"

#include <QHash>
#include <QWidget>

QIcon Button_Icon(const QWidget* widget, QStyle::StandardPixmap which)
{
    // Made once per kind for the whole run (never destroyed: a picture must
    // not outlive the application that made it).
    static auto* made = new QHash<int, QIcon>;
    const auto found = made->constFind(which);
    if (found != made->constEnd())
        return *found;
    const QIcon full = widget->style()->standardIcon(which, nullptr, widget);
    QIcon small;
    for (int size : {16, 24, 32})
        small.addPixmap(full.pixmap(size));
    made->insert(which, small);
    return small;
}
