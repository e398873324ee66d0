#pragma once
// The phone view's one page: its layout, style and script in one HTML file,
// compiled into the program; it loads nothing from anywhere else.
#include <QByteArray>

const QByteArray& Phone_Page();
