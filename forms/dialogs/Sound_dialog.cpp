#include "forms/dialogs/Sound_dialog.h"

#include "platform/Program_folder.h"

#include <QDir>

File_Dialog Sound_File_Dialog(const QString& title, const QString& filter, int filter_index)
{
    File_Dialog d;
    d.title = title;
    d.filter = filter;
    d.filter_index = filter_index;
    d.initial_dir = QDir(Sounds_Folder()).exists() ? Sounds_Folder() : Program_Folder();
    d.must_exist = true;
    return d;
}
