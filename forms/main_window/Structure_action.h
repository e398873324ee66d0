#pragma once
// What the Action page shows of the structure: the ante of the level in play,
// the break with the level that follows and its note, and the estimated end
// of the night. Follows the clock and every reload.
#include <QObject>

class QLabel;
class QWidget;
struct Display_Facts;

class Structure_Action : public QObject {
    Q_OBJECT
public:
    explicit Structure_Action(QWidget* action_page);

    void Show(const Display_Facts& facts);

    QLabel* Ante_Label = nullptr;       // "BB ante 400", hidden without an ante
    QLabel* Break_Label = nullptr;      // "Break, then level 8: Colour up the 5s", only in a break
    QLabel* End_Caption = nullptr;      // "Estimated end"
    QLabel* End_Label = nullptr;        // "23:40", hidden when it cannot be said
};
