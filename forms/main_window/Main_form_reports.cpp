// The report commands of the Reports menu and the Players page: each writes
// its page into the Reports folder and opens it in the system's viewer. A page
// that cannot be written raises "Unable to write to %s" and nothing opens.
// (Create_Seating lives with the table lists in Main_form_seating.cpp.)
#include "forms/main_window/Main_form.h"

#include "model/Player.h"
#include "platform/Host.h"
#include "forms/artwork/Picture_files.h"
#include "platform/Program_folder.h"
#include "reports/Report_gen.h"

// The pages show the program's logo: it is written beside them when there is
// none. The page is already written then; a logo that cannot be written only
// leaves its picture out.
void TMainForm::Open_Report(const QString& path)
{
    try {
        Ensure_Report_Logo(Reports_Folder());
    } catch (const std::exception&) {
    }
    host().Shell_Open(path);
}

void TMainForm::Create_PlayersListExecute()
{
    const QString path = Write_Contact_List(Current_Tourney->Players, Current_Tourney->Total, Player_DB);
    Open_Report(path);
}

void TMainForm::Create_Top10Execute()
{
    const QString path = Write_Top10(*Current_Tourney);
    Open_Report(path);
}
