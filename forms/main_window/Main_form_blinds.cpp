// The Blinds page: level length, the two sound paths and the twenty levels,
// moved between the page and the tournament record.
#include "forms/main_window/Main_form.h"

#include "forms/main_window/Structure_page.h"
#include "forms/widgets/Spin_box.h"
#include "platform/Text_lines.h"

#include <QAction>
#include <QLineEdit>

namespace {
// An optional sign and decimal digits, in the 32-bit range; anything else is 0.
int32_t Field_Integer(const QString& text) { return Whole_Number(text).value_or(0); }
} // namespace

void TMainForm::Update_Edit_List_Btn(const QString& sound_path)
{
    Edit_PlayList->setEnabled(Is_Playlist(sound_path));
}

void TMainForm::Load_BlindInfoExecute()
{
    const CTourney& t = *Current_Tourney;
    Timer_Spin->Set_Value(t.Time);
    Sound_Edit1->setText(t.Sound);
    Update_Edit_List_Btn(t.Sound);
    Warning_Edit->setText(t.Warning);
    for (int i = 0; i < Level_Count; ++i) {
        SB_Edit[i]->setText(QString::number(t.Blinds[i].SB));
        BB_Edit[i]->setText(QString::number(t.Blinds[i].BB));
    }
    Structure_Extras->Load(t.Structure);
    Show_Level_Blinds();
}

void TMainForm::Save_BlindsExecute()
{
    CTourney& t = *Current_Tourney;
    t.Time = Timer_Spin->Value();
    t.Sound = Sound_Edit1->text();
    Update_Edit_List_Btn(t.Sound);
    t.Warning = Warning_Edit->text();
    for (int i = 0; i < Level_Count; ++i)
        t.Blinds[i].SB = Field_Integer(SB_Edit[i]->text());
    for (int i = 0; i < Level_Count; ++i)
        t.Blinds[i].BB = Field_Integer(BB_Edit[i]->text());
    Structure_Extras->Save(t.Structure);
}
