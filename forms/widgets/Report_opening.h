#pragma once
// Opening a report just written: the logo goes beside it when there is none,
// then the system's viewer is asked to open it; when no program can (no
// browser installed), a message says where the report was written.
#include <QString>

void Open_Written_Report(const QString& path);
