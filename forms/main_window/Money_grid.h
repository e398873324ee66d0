#pragma once
// The money on the Action page's in/out grid: a menu on a player's row with
// "Rebuy", "Add-on", their undo and "Knocked out by...", the counts shown in
// the name cell, and the "Knocked out by" question when a player is marked
// out in a tournament with bounties. Each command works on the grid's
// current row; a rebuy or an add-on outside its window is refused with a
// message.
#include <QObject>
#include <QSet>
#include <QString>

class QAction;
class QPoint;
class TMainForm;

class Money_Grid : public QObject {
    Q_OBJECT
public:
    explicit Money_Grid(TMainForm* form);

    QAction* Rebuy_Player = nullptr;     // "Rebuy"
    QAction* Addon_Player = nullptr;     // "Add-on"
    QAction* Undo_Rebuy = nullptr;       // "Undo Rebuy"
    QAction* Undo_Addon = nullptr;       // "Undo Add-on"
    QAction* Knocked_Out_By = nullptr;   // "Knocked out by..."

    // What the name cell shows beside a player's name: "R2 A1 K1" (rebuys,
    // add-on, knock-outs credited), "" for none.
    static QString Counts_Text(int rebuys, int addons, int knock_outs);

private:
    QAction* Make(const char* name, const QString& caption, void (Money_Grid::*handler)());
    QString Current_Name() const;
    void Rebuy_PlayerExecute();
    void Addon_PlayerExecute();
    void Undo_RebuyExecute();
    void Undo_AddonExecute();
    void Knocked_Out_ByExecute();
    void Show_Menu(const QPoint& at);
    void After_Chooser();          // the in/out chooser changed a player
    void Remember_Out();           // who is out now
    void Changed();                // the grid and everything that shows the money follow
    // Asks who knocked the player out; false when the operator cancels.
    // now: asked at the knock-out (only players still in are offered).
    bool Ask_Knocked_Out_By(const QString& name, bool now);
    // When one player is left in: records him as the winner once confirmed.
    void Ask_Winner();

    TMainForm* form_;
    QSet<QString> out_before_;
};
