// Sound cues: choosing the blind and warning sounds, stopping a sound, and
// the two ways into the playlist editor.
#include "forms/main_window/Main_form.h"

#include "forms/widgets/On_first_use.h"
#include "forms/dialogs/Playlist_editor.h"
#include "forms/dialogs/Sound_dialog.h"
#include "platform/Host.h"
#include "platform/Media_player.h"
#include "platform/Program_folder.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>

void TMainForm::Stop_BtnClick()
{
    if (media_player_->Is_Playing())
        media_player_->Stop();
}

void TMainForm::FindBtnClick()
{
    const QString chosen = host().Open_File(
        this, Sound_File_Dialog(tr("Find Blind Timer Sound Effect"),
                                QStringLiteral("MP3 (*.mp3)|*.mp3|Wave (*.wav)|*.wav|Playlist (*.m3u)|*.m3u|All (*.*)|*.*"),
                                true));
    if (chosen.isEmpty())
        return;
    Sound_Edit1->setText(chosen);
    Current_Tourney->Sound = Sound_Edit1->text();
    Update_Edit_List_Btn(chosen);
}

void TMainForm::Find_WarningExecute()
{
    const QString chosen = host().Open_File(
        this, Sound_File_Dialog(tr("Find Warning Sound Effect"),
                                QStringLiteral("MP3 (*.mp3)|*.mp3|Wave (*.wav)|*.wav|All (*.*)|*.*"), false));
    if (chosen.isEmpty())
        return;
    Warning_Edit->setText(chosen);
    Current_Tourney->Warning = Warning_Edit->text();
}

void TMainForm::Edit_PlayListExecute()
{
    // What the operator typed on the Blinds page is kept in the record first,
    // so the reload after the editor shows it again.
    const QString playlist = Current_Tourney->Sound;
    Save_Blinds->trigger();
    // A path typed over the playlist's is no list to edit: the button edits
    // the playlist it was enabled for.
    On_First_Use(Playlist_Form, this)->PlaylistName = Is_Playlist(Current_Tourney->Sound) ? Current_Tourney->Sound : playlist;
    host().Show_Modal(Playlist_Form);
    Current_Tourney->Sound = Playlist_Form->PlaylistName;
    Load_BlindInfo->trigger();
}

void TMainForm::New_PlaylistExecute()
{
    On_First_Use(Playlist_Form, this)->PlaylistName.clear();
    host().Show_Modal(Playlist_Form);
}
