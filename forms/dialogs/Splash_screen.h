#pragma once
// The splash screen: the title artwork with the version and copyright lines,
// shown modally while the main window is created. It closes itself when
// Timer1 fires, five seconds after it was created.
#include <QDialog>
#include <QIcon>
#include <QList>
#include <QSize>

class QLabel;
class QTimer;

class TSplash : public QDialog {
    Q_OBJECT
public:
    explicit TSplash(QWidget* parent = nullptr);
    ~TSplash() override;

    QLabel* Image1 = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QTimer* Timer1 = nullptr;

    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
};

// The splash while it exists (set by its constructor, cleared by its destructor).
extern TSplash* Splash;

// The splash artwork and the window icon are painted at build time by the
// program's artwork code and compiled into the program (":/painted/splash.jpg",
// ":/painted/icon_<size>.png"), so start-up only unpacks them. A program
// built without them (the tests) paints them when they are needed.
QSize Splash_Artwork_Size();
QList<int> Window_Icon_Sizes();

// Start-up: when the program carries no painted splash, paints the artwork on
// another thread while the main window is being built, so the splash appears
// sooner. The splash takes the picture from there when it was started, and
// paints it itself otherwise.
void Start_Painting_Splash();

// Program start: the splash is shown at once, before the main window builds
// its pages; the main window's creation then shows this splash modally for
// the rest of its five seconds instead of making a new one.
void Show_Splash_Early();
// The splash shown early (the caller owns it), or null when there is none.
TSplash* Take_Early_Splash();

// The program's window icon, from the painted sizes when the program carries
// them (loaded when a size is first shown), painted otherwise.
QIcon Window_Icon();
