#pragma once
// The dialogs the program shows now and then (About, the player entry, the
// seating editor, the playlist editor) are built the first time they are
// needed and kept for the rest of the run, so a start builds only what it
// shows. The global pointer is cleared when the dialog goes with its owner.
#include <QObject>
#include <QWidget>

template <class Form>
Form* On_First_Use(Form*& form, QWidget* owner)
{
    if (!form) {
        form = new Form(owner);
        QObject::connect(form, &QObject::destroyed, [&form] { form = nullptr; });
    }
    return form;
}
