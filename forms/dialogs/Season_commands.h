#pragma once
// The season's commands in the main window: Tools, "Season..." (the season
// dialog) and View, "Season on Display" (the display's season panel on
// request; it shows by itself while the clock is paused). The season last
// shown in the dialog is the current one (settings file, section "Season").
#include "forms/display/Season_panel.h"
#include "model/Season_standings.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <thread>

class QAction;
class TMainForm;
class TSeason_Dlg;

class Season_Commands : public QObject {
    Q_OBJECT
public:
    explicit Season_Commands(TMainForm* form);
    ~Season_Commands() override;

    QAction* Edit_Season = nullptr;       // "Season..."
    QAction* Season_On_Display = nullptr; // checkable
    QAction* Season1 = nullptr;           // Tools menu item
    QAction* SeasonOnDisplay1 = nullptr;  // View menu item

    TSeason_Dlg* Dialog() const;
    QString Current_Season() const;
    // What the display's panel (and the phones) show now: nothing without a
    // current season, or while the clock runs and the panel was not asked
    // for. Never waits: the standings last read are shown while a reading,
    // due every ten seconds, runs in a thread of its own; when it finds
    // something new the display and the phones are told.
    Season_Panel_Facts Panel_Facts(bool clock_paused);
    // Waits for a reading under way and shows what it found (tests).
    void Finish_Panel_Reading();

private:
    void Edit_SeasonExecute();
    void Set_Current_Season(const QString& name);
    void Start_Panel_Reading(const QString& name);
    void Take_Panel(const Season_Panel_Facts& facts);

    TMainForm* form_;
    QPointer<TSeason_Dlg> dialog_;  // built when first shown; goes with the window
    mutable QString current_;       // the settings file's current season, read once
    mutable bool current_read_ = false;
    Season_Panel_Facts panel_;      // the standings last read for the panel
    QString panel_season_;          // the season they are of ("" : none read)
    QElapsedTimer panel_age_;       // since the last reading began
    std::thread reader_;            // the reading under way, if any
};
