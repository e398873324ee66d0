#pragma once
// The file dialog for picking a sound: it starts in the program's Sounds
// folder (the cues made by this project) when there is one.
#include "platform/Host.h"

File_Dialog Sound_File_Dialog(const QString& title, const QString& filter, int filter_index);
