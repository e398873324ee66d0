#pragma once
// The file dialog for picking a sound: it starts in the program's Sounds
// folder (the cues made by this project) when there is one, and its first,
// preselected filter shows every kind of sound file the program plays, so
// the shipped cues and the host's own music are seen at once.
#include "platform/Host.h"

// The patterns of the sound files the player plays ("*.wav", "*.mp3", ...).
QStringList Playable_Sound_Patterns();

// The filter of a sound dialog: "Sounds (...)" (with playlists, "Sounds and
// playlists (...)") first, then the given entries.
QString Sound_Filter(const QString& entries, bool with_playlists);

File_Dialog Sound_File_Dialog(const QString& title, const QString& entries, bool with_playlists);
