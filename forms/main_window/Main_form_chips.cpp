// The chip set: five denominations with value, quantity and picture, moved
// between the Chips page, the "Chip Values" group of the Action page and the
// tournament record; the line totals and the total value of all chips.
#include "forms/main_window/Main_form.h"

#include "forms/widgets/Screen_numbers.h"
#include "forms/widgets/Spin_box.h"
#include "forms/artwork/Artwork.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Jpeg_image.h"
#include "platform/Velmora_error.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include <cmath>

namespace {
// The dynamic property of a picture box that names the file it shows.
const char* const Shown_Path = "picture_path";
const char* const Shown_Stamp = "picture_stamp"; // the file's size and time when it was shown

// The value a value box stores: the number the line total counts (blanks
// around it allowed), when that number is whole and fits; otherwise 0.
int32_t Stored_Chip_Value(const QString& text)
{
    int32_t value = 0;
    return Parse_Whole(text.trimmed(), value) ? value : 0;
}

// A line total as the grand total reads it: a number, or the infinity a line
// too large for a double shows ("INF"), so the grand total still follows.
bool Read_Line_Total(const QString& text, long double& value)
{
    if (Parse_Screen_Float(text, value))
        return true;
    const QString t = text.trimmed();
    if (t == QLatin1String("INF") || t == QLatin1String("-INF")) {
        value = t.startsWith(QLatin1Char('-')) ? -HUGE_VALL : HUGE_VALL;
        return true;
    }
    return false;
}

} // namespace

void TMainForm::Make_Chip_Actions()
{
    Load_ChipInfo = Make_Action("Load_ChipInfo", QString(), &TMainForm::Load_ChipInfoExecute);
    Load_Chips = Make_Action("Load_Chips", QString(), &TMainForm::Load_ChipsExecute);
    Save_Chips = Make_Action("Save_Chips", QString(), &TMainForm::Save_ChipsExecute);
    Refresh_Chip_Total = Make_Action("Refresh_Chip_Total", QString(), &TMainForm::Refresh_Chip_TotalExecute);
    Chip_Change[0] = Make_Action("Chip1_Change", QString(), &TMainForm::Chip1_ChangeExecute);
    Chip_Change[1] = Make_Action("Chip2_Change", QString(), &TMainForm::Chip2_ChangeExecute);
    Chip_Change[2] = Make_Action("Chip3_Change", QString(), &TMainForm::Chip3_ChangeExecute);
    Chip_Change[3] = Make_Action("Chip4_Change", QString(), &TMainForm::Chip4_ChangeExecute);
    Chip_Change[4] = Make_Action("Chip5_Change", QString(), &TMainForm::Chip5_ChangeExecute);
}

void TMainForm::Load_ChipInfoExecute()
{
    Load_Chips->trigger();
}

void TMainForm::Load_ChipsExecute()
{
    const CTourney& t = *Current_Tourney;
    // Each changed value box recomputes its line with the quantity it shows now.
    for (int k = Chip_Count - 1; k >= 0; --k)
        Chip_Value[k]->setText(QString::number(t.Chips[k].Value));
    for (int k = Chip_Count - 1; k >= 0; --k)
        Chip_Fixed[k]->setText(QString::number(t.Chips[k].Value));
    for (int k = Chip_Count - 1; k >= 0; --k)
        Chip_Quanity[k]->Set_Value(t.Chips[k].Quanity);

    // A picture whose file is missing or unreadable leaves the box as it was.
    // A file is decoded only when a box shows another file or the file has
    // changed since (Load_Chips runs twice on every page switch); the boxes
    // keep scaled copies, not the decoded picture.
    for (int k = Chip_Count - 1; k >= 0; --k) {
        const QString& path = t.Chips[k].Path;
        const QString stamp = path.isEmpty() ? QString() : Jpeg_File_Stamp(path);
        if (stamp.isEmpty()) // no such file
            continue;
        if (Shows_Picture(Chip_Image[k], path, stamp) && Shows_Picture(Chip_Image2[k], path, stamp))
            continue;
        QImage picture;
        try {
            picture = Read_Jpeg(path);
        } catch (const Velmora_Error&) {
            continue;
        }
        Forget_Jpeg(path);
        const QPixmap shown = QPixmap::fromImage(Scaled_Into(picture, Chip_Image[k]->size()));
        Show_Chip_Picture(Chip_Image[k], path, stamp, shown);
        // Both boxes are the same size: they share one copy.
        Show_Chip_Picture(Chip_Image2[k], path, stamp,
                          Chip_Image2[k]->size() == Chip_Image[k]->size()
                              ? shown
                              : QPixmap::fromImage(Scaled_Into(picture, Chip_Image2[k]->size())));
    }
}

bool TMainForm::Shows_Picture(const QLabel* box, const QString& path, const QString& stamp)
{
    return !box->pixmap().isNull() && box->property(Shown_Path).toString() == path &&
           box->property(Shown_Stamp).toString() == stamp;
}

void TMainForm::Show_Chip_Picture(QLabel* box, const QString& path, const QString& stamp, const QPixmap& picture)
{
    box->setPixmap(picture);
    box->setProperty(Shown_Stamp, stamp);
    box->setProperty(Shown_Path, path);
}

void TMainForm::Save_ChipsExecute()
{
    CTourney& t = *Current_Tourney;
    for (int k = Chip_Count - 1; k >= 0; --k)
        t.Chips[k].Value = Stored_Chip_Value(Chip_Value[k]->text());
    for (int k = Chip_Count - 1; k >= 0; --k)
        t.Chips[k].Quanity = Chip_Quanity[k]->Value();
}

void TMainForm::Chip_QuanityChange(int k)
{
    long double value = 0;
    const int quantity = Chip_Quanity[k]->Value();
    if (Parse_Screen_Float(Chip_Value[k]->text(), value)) {
        const double total = static_cast<double>(static_cast<long double>(quantity) * value);
        Chip_Total[k]->setText(Screen_Float_Text(total));
    } else {
        Chip_Total[k]->setText(QStringLiteral("0"));
    }
    Refresh_Chip_Total->trigger();
}

void TMainForm::Refresh_Chip_TotalExecute()
{
    long double sum = 0;
    for (int k = 0; k < Chip_Count; ++k) {
        long double line = 0;
        if (!Read_Line_Total(Chip_Total[k]->text(), line))
            return;
        sum += line;
    }
    Total_Chips->setText(Screen_Float_Text(sum));
}

void TMainForm::Chip_Image_BtnClick(int k)
{
    File_Dialog d;
    d.filter = QStringLiteral("JPEG (*.jpg)|*.jpg");
    d.filter_index = 1;
    d.must_exist = true;
    const QString chosen = host().Open_File(this, d); // OpenDialog3
    if (chosen.isEmpty())
        return;
    // A file that is not a readable JPEG is refused with the reason, and the
    // chip keeps its picture and its path.
    const QImage picture = Read_Jpeg(chosen);
    Forget_Jpeg(chosen);
    Current_Tourney->Chips[k].Path = chosen;
    Show_Chip_Picture(Chip_Image[k], chosen, Jpeg_File_Stamp(chosen),
                      QPixmap::fromImage(Scaled_Into(picture, Chip_Image[k]->size())));
}
