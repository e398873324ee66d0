#pragma once
// The program folder: where the files that ship with the program live (the
// sound cues in Sounds/, the default chip pictures), always ending in '/'.
// For a copy run from its own folder (a build, a copy in a home folder) that
// is the executable's folder; for an installed program (<prefix>/bin/velmora
// beside <prefix>/share/velmora/) it is the share folder.
//
// The user folder: where the program writes (the settings file, Data/,
// Reports/, the playlists it writes). It is the program folder when the
// program is not installed and that folder can be written; otherwise the
// user's data folder (~/.local/share/velmora/), made at first start.
//
// Tests point both at a temporary folder.
#include <QString>

QString Program_Folder();                    // "/opt/velmora/", "/usr/share/velmora/"
void Set_Program_Folder(const QString& folder); // both folders; a trailing '/' is added when missing
QString User_Folder();                       // Program_Folder() or "~/.local/share/velmora/"
QString Data_Folder();                       // User_Folder() + "Data/"
QString Reports_Folder();                    // User_Folder() + "Reports/"
QString Settings_Path();                     // User_Folder() + the executable's name with ".ini" (velmora.ini)
QString Sounds_Folder();                     // Program_Folder() + "Sounds/"
// Where the playlist editor offers to write playlists when the program keeps
// its data per user: User_Folder() + "Playlists/" (made at start-up).
QString Playlists_Folder();
// The user folder is not the program folder (installed, or a read-only copy).
bool Data_Per_User();

// How the two folders follow from the executable's path and the user's data
// folder ("~/.local/share/velmora"). Exposed for tests.
struct Folder_Layout {
    QString program;   // ends in '/'
    QString user;      // ends in '/'
    bool per_user = false; // the user folder is not the program folder
};
Folder_Layout Resolve_Folders(const QString& executable, const QString& user_data);
